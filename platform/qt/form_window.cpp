// SPDX-License-Identifier: GPL-3.0-or-later
#include "form_window.h"

#include <QIcon>
#include <QLayout>
#include <QMainWindow>
#include <QPixmap>
#include <QVBoxLayout>

#include <algorithm>

#include "control_placement.h"
#include "dialog_focus.h"
#include "forms/virtual_keys.h"
#include "menu_binding.h"
#include "top_level_window.h"
#include "window_destroyed_watch.h"
#include "window_sizing.h"

namespace qtfront {

namespace {

// The client area a form's model asks for, in the model's pixels, kept to
// sizes a window can have.
QSize clientSize(const forms::Form& form) {
    return {std::clamp(form.clientWidth, 1, kMaxClientSide), std::clamp(form.clientHeight, 1, kMaxClientSide)};
}

}  // namespace

FormWindow::FormWindow(forms::Form& form, PostFn post, std::function<void()> closeWithoutHandler,
                       const std::string& sizeFile)
    : form_(form), post_(std::move(post)), closeWithoutHandler_(std::move(closeWithoutHandler)) {
    const QSize design = clientSize(form);
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
    auto onKey = [this](int code) { key(code); };
    auto onResize = [this] {
        if (sizing_) sizing_->noteResize();
    };
    const PostFn input = [this](const void* source, std::function<void()> action, bool coalesce) {
        postInput(source, std::move(action), coalesce);
    };
    // A scalable form shows on a stage that fills the window, and keeps its size.
    const auto makeStage = [&](QWidget* parent) {
        sizing_ = std::make_unique<WindowSizing>(parent, design, sizeFile);
        stage_ = std::make_unique<ScaledStage>(parent, design, [this](const Zoom& zoom) {
            if (controls_) controls_->setZoom(zoom);
        });
        return stage_->backdrop();
    };
    QWidget* client = nullptr;
    if (!form.menuBar.empty()) {
        auto* main = new TopLevel<QMainWindow>;
        main->onClose = onClose;
        main->onKey = onKey;
        main->setMenuBar(makeMenuBar(main));
        window_ = main;
        if (form.scalable) {
            main->setCentralWidget(makeStage(main));
        } else {
            client = new QWidget(main);
            client->setFixedSize(design);
            main->setCentralWidget(client);
            main->layout()->setSizeConstraint(QLayout::SetFixedSize);
        }
        main->onResize = onResize;
        menus_ = std::make_unique<MenuBinding>(main->menuBar(), form.menuBar, input);
    } else {
        auto* plain = new TopLevel<QWidget>;
        plain->onClose = onClose;
        plain->onKey = onKey;
        plain->onResize = onResize;
        window_ = plain;
        if (form.scalable) {
            auto* layout = new QVBoxLayout(plain);
            layout->setContentsMargins(0, 0, 0, 0);
            layout->addWidget(makeStage(plain));
        } else {
            plain->setFixedSize(design);
            client = plain;
        }
    }
    controls_ = std::make_unique<ControlPlacement>(form_, stage_ ? stage_->client() : client, input);
    placement_ = std::make_unique<WindowPlacement>(form_, window_, form.scalable);
    window_->setObjectName(QString::fromStdString(form.name));
    // A window destroyed by another program is closed, as by its close box.
    destroyedWatch_ = std::make_unique<WindowDestroyedWatch>(window_, onClose);
    if (form.dialog) markAsDialog(window_);
    sync();
    // Placed again once the layout knows the real size, which the pull back
    // onto the screen needs.
    window_->adjustSize();
    if (stage_) {
        sizing_->restore(QPoint(twipsToPixels(form_.left), twipsToPixels(form_.top)));
        stage_->relayout();
    }
    placement_->placeAnew(fullScreen());
}

FormWindow::~FormWindow() {
    if (sizing_) sizing_->save();
    destroyedWatch_.reset();
    delete window_;
}

void FormWindow::key(int code) {
    // The window's own key, unless the player gave it to the game.
    if (code == vk::kF11 && form_.scalable && !(form_.pollsKey && form_.pollsKey(code))) {
        if (sizing_) sizing_->toggleFullScreen();
        return;
    }
    postInput(
        &form_.onKeyDown,
        [this, code] {
            if (form_.onKeyDown) form_.onKeyDown(code);
        },
        false);
}

bool FormWindow::fullScreen() const { return sizing_ ? sizing_->fullScreen() : window_->isFullScreen(); }

void FormWindow::postInput(const void* source, std::function<void()> action, bool coalesce) {
    // A disabled window takes no input, whenever the click was queued.
    post_(
        source,
        [this, action = std::move(action)] {
            if (form_.enabled) action();
        },
        coalesce);
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
    if (menus_) menus_->sync();
    controls_->sync();
    placement_->sync(fullScreen());
    if (form_.visible != window_->isVisible()) window_->setVisible(form_.visible);
}

void FormWindow::show(const QWidget* over) {
    // A form that gives no position of its own opens over the window it came from.
    if (!window_->isVisible() && over && over != window_ && form_.left == 0 && form_.top == 0)
        placement_->openOver(over);
    form_.visible = true;
    sync();
    window_->raise();
    window_->activateWindow();
    if (sizing_) sizing_->shown();
}

void FormWindow::paintPicturesNow() { controls_->paintNow(); }

QWidget* FormWindow::widgetOf(const forms::Control& control) const { return controls_->widgetOf(control); }

QAction* FormWindow::actionOf(const forms::MenuItem& item) const { return menus_ ? menus_->actionOf(item) : nullptr; }

}  // namespace qtfront
