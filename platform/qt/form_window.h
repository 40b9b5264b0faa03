// SPDX-License-Identifier: GPL-3.0-or-later
// The real window of one form model: a main window with its menu bar when the
// form has one, else a plain top-level widget, and the controls at their pixel
// positions in a client area of fixed size; or, for a scalable form, in a
// client area enlarged by a whole factor, centred in a window of any size.
// It coordinates the parts that do each job: the menu binding, the control
// placement, the scaled stage, the window's size and full screen, its
// placement on the screen and the watch for its destruction.
#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "control_views.h"
#include "forms/forms.h"
#include "scaled_stage.h"
#include "window_placement.h"

class QAction;

namespace qtfront {

class ControlPlacement;
class MenuBinding;
class WindowDestroyedWatch;
class WindowSizing;

class FormWindow {
public:
    // post queues the callbacks of the form's input; closeWithoutHandler takes the
    // form off the screen when its close box is used and it has no onUnload.
    // A scalable form's window keeps its size in sizeFile between runs (none
    // when empty).
    FormWindow(forms::Form& form, PostFn post, std::function<void()> closeWithoutHandler,
               const std::string& sizeFile = {});
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    forms::Form& form() const { return form_; }
    QWidget* window() const { return window_; }

    // Brings every widget up to the model's state; the position goes both ways
    // (the game places the window, the player drags it and the game saves that).
    void sync();
    // Shows the window (placed over `over` when the form gives no position) and
    // brings it to the front.
    void show(const QWidget* over);
    void paintPicturesNow();

    QWidget* widgetOf(const forms::Control& control) const;
    QAction* actionOf(const forms::MenuItem& item) const;

private:
    void postInput(const void* source, std::function<void()> action, bool coalesce);
    void key(int code);
    bool fullScreen() const;

    forms::Form& form_;
    PostFn post_;
    std::function<void()> closeWithoutHandler_;
    QWidget* window_ = nullptr;
    std::unique_ptr<ScaledStage> stage_;    // scalable forms only
    std::unique_ptr<WindowSizing> sizing_;  // scalable forms only
    std::unique_ptr<MenuBinding> menus_;    // forms with a menu bar only
    std::unique_ptr<ControlPlacement> controls_;
    std::unique_ptr<WindowPlacement> placement_;
    std::unique_ptr<WindowDestroyedWatch> destroyedWatch_;

    std::string caption_;
    qint64 iconKey_ = -1;
};

}  // namespace qtfront
