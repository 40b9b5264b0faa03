// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_sizing.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "control_views.h"
#include "scaled_stage.h"

namespace qtfront {

namespace {

// Room left on a screen for a window manager's frame around a window whose
// size is chosen before the frame is known.
constexpr QSize kFrameAllowance(16, 40);

// Time a window manager gets to act on a new window state.
constexpr int kWindowManagerMs = 400;

}  // namespace

WindowSizing::WindowSizing(QWidget* window, QSize design, std::string sizeFile)
    : window_(window), design_(design), sizeFile_(std::move(sizeFile)), sizeSettles_(new QTimer(window)) {
    sizeSettles_->setSingleShot(true);
    QObject::connect(sizeSettles_, &QTimer::timeout, window, [this] { settle(); });
}

void WindowSizing::restore(QPoint pos) {
    if (!sizeFile_.empty()) sizeRead_ = readWindowSize(sizeFile_);
    const qreal ratio = window_->devicePixelRatio();
    // What the menu bar adds to the client area; the window is at its least now.
    const QSize extra = (window_->size() - design_).expandedTo(QSize(0, 0));
    const QSize wanted = sizeRead_ ? sizeRead_->size.expandedTo(window_->minimumSizeHint())
                                   : stageSize(design_, startFactor(ratio), ratio).expandedTo(design_) + extra;
    // The screen it opens on, less room for a window manager's frame, which
    // is not known before the window is shown.
    const QScreen* screen = QGuiApplication::screenAt(pos + QPoint(20, 10));
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QSize available =
        screen ? screen->availableGeometry().size() - kFrameAllowance : QSize(kMaxClientSide, kMaxClientSide);
    const QSize size = fitWindowSize(wanted, available, extra, design_, ratio);
    if (size != window_->size()) window_->resize(size);
    if (sizeRead_) {
        if (sizeRead_->maximized) window_->setWindowState(Qt::WindowMaximized);
        // Once shown, where the screen is known and the toggle can check on it.
        fullScreenAtShow_ = sizeRead_->fullScreen;
    }
    normalSize_ = window_->size();
}

void WindowSizing::shown() {
    if (!fullScreenAtShow_) return;
    fullScreenAtShow_ = false;
    toggleFullScreen();
}

void WindowSizing::noteResize() {
    // A window manager may report the size of a new state before the state
    // itself: a size is the normal one once it has held a moment without one.
    sizeSettles_->start(kWindowManagerMs);
}

void WindowSizing::settle() {
    if (!fullScreen() && !(window_->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        normalSize_ = window_->size();
}

void WindowSizing::save() {
    if (sizeFile_.empty()) return;
    settle();
    const bool full = fullScreen();
    const WindowSize left{normalSize_, full ? maximizedBeforeFullScreen_ : window_->isMaximized(), full};
    // A file that already says so is left alone; a failed write only means
    // the next run starts at the plain size.
    if (left != sizeRead_) writeWindowSize(sizeFile_, left);
}

bool WindowSizing::fullScreen() const {
    return window_->isFullScreen() ||
           (tookScreen_ && window_->screen() && window_->geometry() == window_->screen()->geometry());
}

void WindowSizing::toggleFullScreen() {
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

}  // namespace qtfront
