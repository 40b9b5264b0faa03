// SPDX-License-Identifier: GPL-3.0-or-later
// A form's menu bar: one QAction for each item of the model, brought up to the
// model's captions, shortcuts and flags at every sync. The check mark lives in
// the model item; the action only mirrors it.
#pragma once

#include <string>
#include <vector>

#include "control_views.h"
#include "forms/forms.h"

class QAction;
class QMainWindow;
class QMenuBar;
class QWidget;

namespace qtfront {

// The menu bar of `window`, in the window on every desktop and never taking
// the keyboard for itself.
QMenuBar* makeMenuBar(QMainWindow* window);

class MenuBinding {
public:
    // Builds the menus of `items` on `bar`; `post` queues an item's click.
    MenuBinding(QMenuBar* bar, const std::vector<forms::MenuItem*>& items, PostFn post);
    MenuBinding(const MenuBinding&) = delete;
    MenuBinding& operator=(const MenuBinding&) = delete;

    void sync();
    QAction* actionOf(const forms::MenuItem& item) const;

private:
    struct Binding {
        forms::MenuItem* item;
        QAction* action;
        int parent;  // index of the enclosing menu's binding, -1 on the bar
        std::string caption, shortcut;
        bool fresh = true;
        bool enabled = true;
        bool shown = true;  // visible, and so is every enclosing menu
    };

    void build(QWidget* host, const std::vector<forms::MenuItem*>& items, int parent);
    bool actionable(size_t binding) const;

    PostFn post_;
    std::vector<Binding> menus_;
};

}  // namespace qtfront
