// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard in a dialog form: its buttons take the focus in reading order
// (Tab and Shift+Tab, Space and Return press), the focus comes back after the
// model disabled the buttons a while, and accessibility tools see a dialog.
// The game window's controls never take the focus, so no button eats a play key.
#pragma once

#include <QPointer>

#include <vector>

class QWidget;

namespace qtfront {

// Tells accessibility tools that `window` is a dialog; the window stays a
// plain widget, so Escape and Return keep going to the model.
void markAsDialog(QWidget* window);

class DialogFocus {
public:
    // A new control of a dialog form: a button takes the keyboard.
    void adopt(QWidget* control, bool dialog);
    // `control` is about to be disabled while `focused` has the focus.
    void disabling(QWidget* control, const QWidget* focused);
    // After the controls were brought up to the model: the focus goes back to
    // the button that lost it once it is enabled again.
    void settle(QWidget* window);
    // A button was adopted: Tab's order waits for the controls to be placed.
    bool orderDue() const { return orderDue_; }
    // Tab goes through the focusable ones of `controls` by where they stand.
    void orderTabs(const std::vector<QWidget*>& controls);

private:
    bool orderDue_ = false;
    QPointer<QWidget> focusBeforeDisabled_;
};

}  // namespace qtfront
