// The real window of one form model: a main window with its menu bar when the
// form has one, else a plain top-level widget, and the controls at their pixel
// positions in a client area of fixed size; or, for a scalable form, in a
// client area enlarged by a whole factor, centred in a window of any size.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control_views.h"
#include "forms/forms.h"
#include "window_size_file.h"

class QAction;
class QMenuBar;
class QTimer;
class QWidget;

namespace qtfront {

class WindowDestroyedWatch;

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
    QWidget* makeBackdrop(QWidget* parent);
    void relayout();
    void noteWindowSize();
    void settleWindowSize();
    void restoreWindowSize();
    bool fullScreen() const;
    // Full screen, or back to the window it was; scalable forms only.
    void toggleFullScreen();

    forms::Form& form_;
    PostFn post_;
    std::function<void()> closeWithoutHandler_;
    QWidget* window_ = nullptr;
    QWidget* client_ = nullptr;    // the controls' parent
    QWidget* backdrop_ = nullptr;  // a scalable form's black area around client_
    QMenuBar* bar_ = nullptr;
    std::vector<MenuBinding> menus_;
    std::vector<Placed> views_;

    std::string caption_;
    qint64 iconKey_ = -1;
    bool placed_ = false;
    float modelLeft_ = 0, modelTop_ = 0;  // the model position last applied or written
    QPoint windowPos_;

    Zoom zoom_;
    std::string sizeFile_;
    std::optional<WindowSize> sizeRead_;
    QSize normalSize_;  // the window's size when neither maximized nor full screen
    QTimer* sizeSettles_ = nullptr;
    bool maximizedBeforeFullScreen_ = false;
    bool fullScreenAtShow_ = false;
    bool tookScreen_ = false;  // full screen by the window's own hand: no window manager did it
    QRect geometryBeforeFullScreen_;
    std::unique_ptr<WindowDestroyedWatch> destroyedWatch_;
};

// The largest whole factor, at least 1, at which `design` enlarged fits in `area`.
int wholeFactor(QSize area, QSize design);

// How a scalable form shows in a client area of `area` logical pixels on a
// screen with `pixelRatio` device pixels to a logical one: the zoom, whose
// factor is whole in device pixels, and where the enlarged client area goes.
struct Presentation {
    Zoom zoom;
    QRect stage;
};
Presentation present(QSize area, qreal pixelRatio, QSize design);

// Where a window of `size` at `pos` ends up: unchanged while its title strip
// lies on some screen, else pulled onto the primary screen.
QPoint placeOnScreen(QPoint pos, QSize size);

// Twips to whole pixels, with a safe answer for values no screen has.
int twipsToPixels(float twips);

}  // namespace qtfront
