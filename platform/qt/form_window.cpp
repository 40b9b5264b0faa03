#include "form_window.h"

#include <QAbstractNativeEventFilter>
#include <QAction>
#include <QCoreApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>
#endif

#include "forms/virtual_keys.h"
#include "key_state.h"

namespace qtfront {

namespace {

// Menus nested deeper than this come from a broken model (a cycle), not a game.
constexpr int kMaxMenuDepth = 8;
constexpr int kMaxClientSide = 8192;

// The client area a form's model asks for, in the model's pixels, kept to
// sizes a window can have.
QSize clientSize(const forms::Form& form) {
    return {std::clamp(form.clientWidth, 1, kMaxClientSide), std::clamp(form.clientHeight, 1, kMaxClientSide)};
}

// The close box never closes a window by itself: the model decides, later,
// outside Qt's event dispatch.
template <class Base>
class TopLevel final : public Base {
public:
    std::function<void()> onClose;
    std::function<void(int vk)> onKey;
    std::function<void()> onResize;  // a new size or window state

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (onClose) onClose();
    }
    void resizeEvent(QResizeEvent* event) override {
        Base::resizeEvent(event);
        if (onResize) onResize();
    }
    void changeEvent(QEvent* event) override {
        Base::changeEvent(event);
        if (event->type() == QEvent::WindowStateChange && onResize) onResize();
    }
    // Reached by the keys no control takes, which in these windows is all of them.
    void keyPressEvent(QKeyEvent* event) override {
        if (onKey && !event->isAutoRepeat())
            if (const int vk = virtualKeysOf(event->key(), event->modifiers(), event->nativeVirtualKey()).code)
                onKey(vk);
        Base::keyPressEvent(event);
    }
};

bool explicitlyDisabled(const QWidget* w) { return w->testAttribute(Qt::WA_ForceDisabled); }

// The black around a scalable form's enlarged client area; it lays the area
// out again whenever its size or its screen changes.
class Backdrop final : public QWidget {
public:
    using QWidget::QWidget;
    std::function<void()> onChange;

protected:
    void resizeEvent(QResizeEvent*) override {
        if (onChange) onChange();
    }
    bool event(QEvent* event) override {
        const bool done = QWidget::event(event);
        if (event->type() == QEvent::ScreenChangeInternal && onChange) onChange();
        return done;
    }
};

// Time a window manager gets to act on a new window state.
constexpr int kWindowManagerMs = 400;

// The menu bar never takes the keyboard for itself: a lone Alt does not enter
// it, and a menu closed by Escape leaves nothing highlighted behind. Otherwise
// the next play key (Space, V, M, T) would open or run a menu item, and a
// player may give Alt itself to an action. Alt+letter and the shortcuts still
// open the menus, and inside a dropped menu the keys work as usual.
class MenuBarStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_MenuBar_AltKeyNavigation) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

// Another program may destroy the window outright (XDestroyWindow, as
// `xdotool windowclose` does): no close event comes, only the window's
// DestroyNotify, and without this the program would run on with no window.
class WindowDestroyedWatch final : public QAbstractNativeEventFilter {
public:
    WindowDestroyedWatch(QWidget* window, std::function<void()> onDestroyed)
        : window_(window), onDestroyed_(std::move(onDestroyed)) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~WindowDestroyedWatch() override { QCoreApplication::instance()->removeNativeEventFilter(this); }
    WindowDestroyedWatch(const WindowDestroyedWatch&) = delete;
    WindowDestroyedWatch& operator=(const WindowDestroyedWatch&) = delete;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
#if __has_include(<xcb/xcb.h>)
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY) return false;
        const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
        // Only while the window is ours: Qt destroys it itself after the watch is gone.
        const WId id = window_->internalWinId();
        if (id != 0 && destroyed->window == id && !told_) {
            told_ = true;
            onDestroyed_();
        }
#else
        (void)type, (void)message;
#endif
        return false;
    }

private:
    QWidget* window_;
    std::function<void()> onDestroyed_;
    bool told_ = false;
};

int wholeFactor(QSize area, QSize design) {
    if (design.width() < 1 || design.height() < 1) return 1;
    return std::max(1, std::min(area.width() / design.width(), area.height() / design.height()));
}

Presentation present(QSize area, qreal pixelRatio, QSize design) {
    if (!std::isfinite(pixelRatio) || pixelRatio <= 0) pixelRatio = 1;
    // Whole device pixels, so a picture pixel is a whole block on any screen.
    const QSize device(static_cast<int>(area.width() * pixelRatio), static_cast<int>(area.height() * pixelRatio));
    const Zoom zoom{wholeFactor(device, design), pixelRatio};
    const QSize stage(static_cast<int>(std::ceil(design.width() * zoom.logical())),
                      static_cast<int>(std::ceil(design.height() * zoom.logical())));
    // Too small a window cuts off the right and the bottom, as it always did.
    return {zoom, QRect(QPoint(std::max(0, (area.width() - stage.width()) / 2),
                               std::max(0, (area.height() - stage.height()) / 2)),
                        stage)};
}

int twipsToPixels(float twips) {
    if (!std::isfinite(twips)) return 0;
    const double px = std::clamp(static_cast<double>(twips), -1.0e7, 1.0e7) / forms::kTwipsPerPixel;
    return static_cast<int>(std::lround(px));
}

QPoint placeOnScreen(QPoint pos, QSize size) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty()) return pos;
    // The title strip is what the player needs to reach to drag the window back.
    const QRect strip(pos, QSize(std::max(size.width(), 1), std::clamp(size.height(), 1, 30)));
    const int needWidth = std::min(40, strip.width());
    const int needHeight = std::min(10, strip.height());
    for (const QScreen* screen : screens) {
        const QRect common = screen->availableGeometry().intersected(strip);
        if (common.width() >= needWidth && common.height() >= needHeight) return pos;
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect area = (primary ? primary : screens.front())->availableGeometry();
    const int x = std::clamp(pos.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width()));
    const int y = std::clamp(pos.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height()));
    return {x, y};
}

FormWindow::FormWindow(forms::Form& form, PostFn post, std::function<void()> closeWithoutHandler,
                       const std::string& sizeFile)
    : form_(form), post_(std::move(post)), closeWithoutHandler_(std::move(closeWithoutHandler)) {
    const QSize client = clientSize(form);
    auto onClose = [this] {
        postInput(
            &form_,
            [this] {
                if (form_.onUnload)
                    form_.onUnload();
                else if (closeWithoutHandler_)
                    closeWithoutHandler_();
            },
            true);
    };
    auto onKey = [this](int code) {
        // The window's own key, unless the player gave it to the game.
        if (code == vk::kF11 && form_.scalable && !(form_.pollsKey && form_.pollsKey(code))) {
            toggleFullScreen();
            return;
        }
        postInput(
            &form_.onKeyDown,
            [this, code] {
                if (form_.onKeyDown) form_.onKeyDown(code);
            },
            false);
    };
    if (!form.menuBar.empty()) {
        auto* main = new TopLevel<QMainWindow>;
        main->onClose = onClose;
        main->onKey = onKey;
        bar_ = new QMenuBar(main);
        // The bar stays in the window on every desktop, so the client area and
        // the shortcuts behave the same everywhere.
        bar_->setNativeMenuBar(false);
        auto* barStyle = new MenuBarStyle;
        barStyle->setParent(bar_);
        bar_->setStyle(barStyle);
        main->setMenuBar(bar_);
        window_ = main;
        if (form.scalable) {
            main->setCentralWidget(makeBackdrop(main));
        } else {
            client_ = new QWidget(main);
            client_->setFixedSize(client);
            main->setCentralWidget(client_);
            main->layout()->setSizeConstraint(QLayout::SetFixedSize);
        }
        main->onResize = [this] { noteWindowSize(); };
        buildMenus(bar_, form.menuBar, -1);
    } else {
        auto* plain = new TopLevel<QWidget>;
        plain->onClose = onClose;
        plain->onKey = onKey;
        plain->onResize = [this] { noteWindowSize(); };
        window_ = plain;
        if (form.scalable) {
            auto* layout = new QVBoxLayout(plain);
            layout->setContentsMargins(0, 0, 0, 0);
            layout->addWidget(makeBackdrop(plain));
        } else {
            plain->setFixedSize(client);
            client_ = plain;
        }
    }
    window_->setObjectName(QString::fromStdString(form.name));
    // A window destroyed by another program is closed, as by its close box.
    destroyedWatch_ = std::make_unique<WindowDestroyedWatch>(window_, onClose);
    sync();
    // Placed again once the layout knows the real size, which the pull back
    // onto the screen needs.
    window_->adjustSize();
    if (backdrop_) {
        sizeFile_ = sizeFile;
        restoreWindowSize();
        relayout();
    }
    placed_ = false;
    syncPosition();
}

FormWindow::~FormWindow() {
    if (!sizeFile_.empty()) {
        settleWindowSize();
        const bool full = fullScreen();
        const WindowSize left{normalSize_, full ? maximizedBeforeFullScreen_ : window_->isMaximized(), full};
        // A file that already says so is left alone; a failed write only means
        // the next run starts at the plain size.
        if (left != sizeRead_) writeWindowSize(sizeFile_, left);
    }
    destroyedWatch_.reset();
    delete window_;
}

QWidget* FormWindow::makeBackdrop(QWidget* parent) {
    sizeSettles_ = new QTimer(parent);
    sizeSettles_->setSingleShot(true);
    QObject::connect(sizeSettles_, &QTimer::timeout, parent, [this] { settleWindowSize(); });
    auto* backdrop = new Backdrop(parent);
    const QSize design = clientSize(form_);
    backdrop->setMinimumSize(design);
    QPalette black = backdrop->palette();
    black.setColor(QPalette::Window, Qt::black);
    backdrop->setPalette(black);
    backdrop->setAutoFillBackground(true);
    client_ = new QWidget(backdrop);
    client_->resize(design);
    backdrop->onChange = [this] { relayout(); };
    backdrop_ = backdrop;
    return backdrop;
}

void FormWindow::relayout() {
    const QSize design = clientSize(form_);
    const Presentation shown = present(backdrop_->size(), window_->devicePixelRatio(), design);
    if (client_->geometry() != shown.stage) client_->setGeometry(shown.stage);
    if (shown.zoom == zoom_) return;
    zoom_ = shown.zoom;
    for (Placed& p : views_) {
        p.view->setZoom(zoom_);
        p.geometry = QRect(0, 0, -1, -1);
    }
    syncControls();
}

void FormWindow::restoreWindowSize() {
    if (!sizeFile_.empty()) sizeRead_ = readWindowSize(sizeFile_);
    if (sizeRead_) {
        window_->resize(sizeRead_->size.expandedTo(window_->minimumSizeHint()));
        if (sizeRead_->maximized) window_->setWindowState(Qt::WindowMaximized);
        // Once shown, where the screen is known and the toggle can check on it.
        fullScreenAtShow_ = sizeRead_->fullScreen;
    }
    normalSize_ = window_->size();
}

void FormWindow::noteWindowSize() {
    // A window manager may report the size of a new state before the state
    // itself: a size is the normal one once it has held a moment without one.
    if (backdrop_) sizeSettles_->start(kWindowManagerMs);
}

void FormWindow::settleWindowSize() {
    if (!fullScreen() && !(window_->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        normalSize_ = window_->size();
}

bool FormWindow::fullScreen() const {
    return window_->isFullScreen() ||
           (tookScreen_ && window_->screen() && window_->geometry() == window_->screen()->geometry());
}

void FormWindow::toggleFullScreen() {
    if (!backdrop_) return;
    const QRect before = window_->geometry();
    QRect wanted;
    const bool leaving = fullScreen();
    tookScreen_ = false;
    if (leaving) {
        wanted = geometryBeforeFullScreen_;
        if (maximizedBeforeFullScreen_)
            window_->showMaximized();
        else
            window_->showNormal();
    } else {
        const QScreen* screen = window_->screen();
        if (!screen) return;
        wanted = screen->geometry();
        geometryBeforeFullScreen_ = before;
        maximizedBeforeFullScreen_ = window_->isMaximized();
        window_->showFullScreen();
    }
    // Where no window manager acts on the state, the window takes its new
    // place itself; a window manager that did has changed it by then.
    QTimer::singleShot(kWindowManagerMs, window_, [this, before, wanted, leaving] {
        if (window_->geometry() != before || !wanted.isValid() || wanted == before) return;
        tookScreen_ = !leaving;
        window_->setGeometry(wanted);
    });
}

void FormWindow::postInput(const void* source, std::function<void()> action, bool coalesce) {
    // A disabled window takes no input, whenever the click was queued.
    post_(
        source,
        [this, action = std::move(action)] {
            if (form_.enabled) action();
        },
        coalesce);
}

void FormWindow::buildMenus(QWidget* host, const std::vector<forms::MenuItem*>& items, int parent) {
    int depth = 0;
    for (int p = parent; p >= 0; p = menus_[p].parent) ++depth;
    if (depth >= kMaxMenuDepth) return;
    for (forms::MenuItem* item : items) {
        if (!item) continue;
        const size_t index = menus_.size();
        if (!item->children.empty()) {
            auto* menu = new QMenu(host);
            host->addAction(menu->menuAction());
            menus_.push_back({item, menu->menuAction(), parent, {}, {}});
            buildMenus(menu, item->children, static_cast<int>(index));
            continue;
        }
        auto* action = new QAction(host);
        host->addAction(action);
        menus_.push_back({item, action, parent, {}, {}});
        QObject::connect(action, &QAction::triggered, action, [this, index] {
            postInput(
                menus_[index].item,
                [this, index] {
                    if (actionable(index)) menus_[index].item->click();
                },
                false);
        });
    }
}

bool FormWindow::actionable(size_t binding) const {
    // Read from the model at run time: a command queued before this one may have
    // disabled or hidden the item since.
    for (int i = static_cast<int>(binding); i >= 0; i = menus_[i].parent) {
        const forms::MenuItem& item = *menus_[i].item;
        if (!item.enabled || !item.visible) return false;
    }
    return true;
}

void FormWindow::syncMenus() {
    for (MenuBinding& b : menus_) {
        const forms::MenuItem& item = *b.item;
        QAction* action = b.action;
        // Qt drops the shortcut of an invisible action, so a hidden menu's
        // shortcuts are hidden with its items.
        b.shown = item.visible && (b.parent < 0 || menus_[b.parent].shown);
        if (b.fresh || item.caption != b.caption) {
            b.caption = item.caption;
            action->setSeparator(item.isSeparator());
            // A separator with text is drawn as a section heading: "-" would show.
            action->setText(item.isSeparator() ? QString() : QString::fromStdString(item.caption));
        }
        if (b.fresh || item.shortcut != b.shortcut) {
            b.shortcut = item.shortcut;
            action->setShortcut(
                QKeySequence::fromString(QString::fromStdString(item.shortcut), QKeySequence::PortableText));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        // Qt reports a hidden action as disabled, so the flag is compared with
        // what was last set, not with the action.
        if (b.fresh || item.enabled != b.enabled) {
            b.enabled = item.enabled;
            action->setEnabled(item.enabled);
        }
        if (action->isVisible() != b.shown) action->setVisible(b.shown);
        // Only a checked item shows a check box, as on the desktop the game was
        // made for. Compared with the action itself: a click toggles it in Qt.
        if (action->isCheckable() != item.checked) action->setCheckable(item.checked);
        if (action->isChecked() != item.checked) action->setChecked(item.checked);
        b.fresh = false;
    }
}

ControlView* FormWindow::viewFor(forms::Control* control, int depth) {
    for (const Placed& p : views_)
        if (p.control == control) return p.view;
    QWidget* parent = client_;
    // A frame's controls are its children, placed relative to it.
    forms::Control* frame = control->parent;
    if (frame && frame != control && depth < kMaxMenuDepth &&
        std::find(form_.controls.begin(), form_.controls.end(), frame) != form_.controls.end()) {
        if (ControlView* v = viewFor(frame, depth + 1)) parent = v->widget();
    }
    ControlView* view =
        makeView(*control, parent, [this](const void* source, std::function<void()> action, bool coalesce) {
            postInput(source, std::move(action), coalesce);
        });
    if (view) {
        view->setZoom(zoom_);
        views_.push_back({control, view, parent, QRect(0, 0, -1, -1)});
    }
    return view;
}

void FormWindow::syncControls() {
    for (forms::Control* c : form_.controls)
        if (c) viewFor(c);
    // A control taken out of the list loses its widget (and never is touched
    // again: it may be gone).
    for (auto it = views_.begin(); it != views_.end();) {
        if (std::find(form_.controls.begin(), form_.controls.end(), it->control) == form_.controls.end()) {
            QWidget* w = it->view->widget();
            it = views_.erase(it);
            // Children of a removed frame lose their parent widget with it.
            views_.erase(std::remove_if(views_.begin(), views_.end(),
                                        [w](const Placed& p) { return w->isAncestorOf(p.view->widget()); }),
                         views_.end());
            delete w;
            it = views_.begin();
        } else {
            ++it;
        }
    }
    for (Placed& p : views_) {
        forms::Control& c = *p.control;
        QRect g(c.left, c.top, std::clamp(c.width, 0, kMaxClientSide), std::clamp(c.height, 0, kMaxClientSide));
        // A control whose frame is not shown keeps the frame's offset.
        if (p.parent == client_) {
            int depth = 0;
            for (const forms::Control* f = c.parent; f && f != &c && depth < kMaxMenuDepth; f = f->parent, ++depth)
                g.translate(f->left, f->top);
        }
        if (!(zoom_ == Zoom{})) {
            const qreal s = zoom_.logical();
            const QPoint topLeft(static_cast<int>(std::lround(g.left() * s)),
                                 static_cast<int>(std::lround(g.top() * s)));
            g = QRect(topLeft, QPoint(static_cast<int>(std::lround((g.right() + 1) * s)) - 1,
                                      static_cast<int>(std::lround((g.bottom() + 1) * s)) - 1));
        }
        QWidget* w = p.view->widget();
        if (g != p.geometry) {
            w->setGeometry(g);
            p.geometry = g;
        }
        if (w->isHidden() == c.visible) w->setVisible(c.visible);
        if (explicitlyDisabled(w) == c.enabled) w->setEnabled(c.enabled);
        p.view->syncContent();
    }
}

void FormWindow::syncPosition() {
    if (!placed_ || form_.left != modelLeft_ || form_.top != modelTop_) {
        const QPoint wanted(twipsToPixels(form_.left), twipsToPixels(form_.top));
        const QPoint at = placeOnScreen(wanted, window_->frameGeometry().size());
        window_->move(at);
        windowPos_ = at;
        if (at != wanted || !std::isfinite(form_.left) || !std::isfinite(form_.top)) {
            form_.left = static_cast<float>(at.x() * forms::kTwipsPerPixel);
            form_.top = static_cast<float>(at.y() * forms::kTwipsPerPixel);
        }
        modelLeft_ = form_.left;
        modelTop_ = form_.top;
        placed_ = true;
        return;
    }
    // A maximized or full-screen window sits where its state puts it; the
    // position the game saves is the one it comes back to.
    if (!window_->isVisible() || fullScreen() || (window_->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)))
        return;
    // The player moved the window: the model learns it, so the game saves it.
    const QPoint now = window_->pos();
    if (now == windowPos_) return;
    windowPos_ = now;
    form_.left = modelLeft_ = static_cast<float>(now.x() * forms::kTwipsPerPixel);
    form_.top = modelTop_ = static_cast<float>(now.y() * forms::kTwipsPerPixel);
}

void FormWindow::sync() {
    if (form_.caption != caption_ || iconKey_ < 0) {
        caption_ = form_.caption;
        window_->setWindowTitle(QString::fromStdString(caption_));
    }
    const qint64 icon = form_.icon.isNull() ? 0 : form_.icon.cacheKey();
    if (icon != iconKey_) {
        iconKey_ = icon;
        window_->setWindowIcon(icon ? QIcon(QPixmap::fromImage(form_.icon)) : QIcon());
    }
    if (explicitlyDisabled(window_) == form_.enabled) window_->setEnabled(form_.enabled);
    syncMenus();
    syncControls();
    syncPosition();
    if (form_.visible != window_->isVisible()) window_->setVisible(form_.visible);
}

void FormWindow::show(const QWidget* over) {
    // A form that gives no position of its own opens over the window it came from.
    if (!window_->isVisible() && over && over != window_ && form_.left == 0 && form_.top == 0) {
        const QSize size = window_->frameGeometry().size();
        QPoint at = over->frameGeometry().center() - QPoint(size.width() / 2, size.height() / 2);
        // Wholly on the screen of the window it came from: a dialog larger than
        // the game window would stick out of a window near the edge.
        const QScreen* screen = QGuiApplication::screenAt(over->frameGeometry().center());
        if (!screen) screen = QGuiApplication::primaryScreen();
        if (screen) {
            const QRect area = screen->availableGeometry();
            at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
            at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
        }
        form_.left = static_cast<float>(at.x() * forms::kTwipsPerPixel);
        form_.top = static_cast<float>(at.y() * forms::kTwipsPerPixel);
    }
    form_.visible = true;
    sync();
    window_->raise();
    window_->activateWindow();
    if (fullScreenAtShow_) {
        fullScreenAtShow_ = false;
        toggleFullScreen();
    }
}

void FormWindow::paintPicturesNow() {
    for (const Placed& p : views_) p.view->paintNow();
}

QWidget* FormWindow::widgetOf(const forms::Control& control) const {
    for (const Placed& p : views_)
        if (p.control == &control) return p.view->widget();
    return nullptr;
}

QAction* FormWindow::actionOf(const forms::MenuItem& item) const {
    for (const MenuBinding& b : menus_)
        if (b.item == &item) return b.action;
    return nullptr;
}

}  // namespace qtfront
