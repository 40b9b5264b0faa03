// The real window of one form model: a main window with its menu bar when the
// form has one, else a plain top-level widget, and the controls at their pixel
// positions in a client area of fixed size.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <string>
#include <vector>

#include "control_views.h"
#include "forms/forms.h"

class QAction;
class QMenuBar;
class QWidget;

namespace qtfront {

class FormWindow {
public:
    // post queues the callbacks of the form's input; closeWithoutHandler takes the
    // form off the screen when its close box is used and it has no onUnload.
    FormWindow(forms::Form& form, PostFn post, std::function<void()> closeWithoutHandler);
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
    struct MenuBinding {
        forms::MenuItem* item;
        QAction* action;
        int parent;  // index of the enclosing menu's binding, -1 on the bar
        std::string caption, shortcut;
        bool fresh = true;
        bool enabled = true;
        bool shown = true;  // visible, and so is every enclosing menu
    };
    struct Placed {
        forms::Control* control;
        ControlView* view;
        QWidget* parent;
        QRect geometry;
    };

    void buildMenus(QWidget* host, const std::vector<forms::MenuItem*>& items, int parent);
    void syncMenus();
    bool actionable(size_t binding) const;
    ControlView* viewFor(forms::Control* control, int depth = 0);
    void syncControls();
    void syncPosition();
    void postInput(const void* source, std::function<void()> action, bool coalesce);

    forms::Form& form_;
    PostFn post_;
    std::function<void()> closeWithoutHandler_;
    QWidget* window_ = nullptr;
    QWidget* client_ = nullptr;
    QMenuBar* bar_ = nullptr;
    std::vector<MenuBinding> menus_;
    std::vector<Placed> views_;

    std::string caption_;
    qint64 iconKey_ = -1;
    bool placed_ = false;
    float modelLeft_ = 0, modelTop_ = 0;  // the model position last applied or written
    QPoint windowPos_;
};

// Where a window of `size` at `pos` ends up: unchanged while its title strip
// lies on some screen, else pulled onto the primary screen.
QPoint placeOnScreen(QPoint pos, QSize size);

// Twips to whole pixels, with a safe answer for values no screen has.
int twipsToPixels(float twips);

}  // namespace qtfront
