// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_destroyed_watch.h"

#include <QCoreApplication>
#include <QWidget>

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>
#endif

namespace qtfront {

WindowDestroyedWatch::WindowDestroyedWatch(QWidget* window, std::function<void()> onDestroyed)
    : window_(window), onDestroyed_(std::move(onDestroyed)) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowDestroyedWatch::~WindowDestroyedWatch() { QCoreApplication::instance()->removeNativeEventFilter(this); }

bool WindowDestroyedWatch::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
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

}  // namespace qtfront
