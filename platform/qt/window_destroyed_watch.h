// SPDX-License-Identifier: GPL-3.0-or-later
// Another program may destroy a window outright (XDestroyWindow, as
// `xdotool windowclose` does): no close event comes, only the window's
// DestroyNotify, and without this watch the program would run on with no window.
#pragma once

#include <QAbstractNativeEventFilter>

#include <functional>

class QWidget;

namespace qtfront {

class WindowDestroyedWatch final : public QAbstractNativeEventFilter {
public:
    // `onDestroyed` runs once, inside Qt's event dispatch.
    WindowDestroyedWatch(QWidget* window, std::function<void()> onDestroyed);
    ~WindowDestroyedWatch() override;
    WindowDestroyedWatch(const WindowDestroyedWatch&) = delete;
    WindowDestroyedWatch& operator=(const WindowDestroyedWatch&) = delete;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override;

private:
    QWidget* window_;
    std::function<void()> onDestroyed_;
    bool told_ = false;
};

}  // namespace qtfront
