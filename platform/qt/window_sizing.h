// SPDX-License-Identifier: GPL-3.0-or-later
// The size of a scalable form's window: the one saved last run restored to fit
// this screen, the normal size kept through maximizing and full screen, F11's
// full screen, and the file written as the window goes.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>
#include <string>

#include "window_size_file.h"

class QTimer;
class QWidget;

namespace qtfront {

class WindowSizing {
public:
    // `design` is the client area the form asks for; the size is kept in
    // `sizeFile` between runs (none when empty).
    WindowSizing(QWidget* window, QSize design, std::string sizeFile);
    WindowSizing(const WindowSizing&) = delete;
    WindowSizing& operator=(const WindowSizing&) = delete;

    // Sizes the window as the file says (or for the screen's pixel ratio), on
    // the screen under `pos`, where the form places it.
    void restore(QPoint pos);
    // Once the window is first shown: full screen again if it was.
    void shown();
    // The window's size or state changed.
    void noteResize();
    // Writes the size the next run opens at, unless the file already says so.
    void save();

    bool fullScreen() const;
    // Full screen, or back to the window it was.
    void toggleFullScreen();

private:
    void settle();

    QWidget* window_;
    QSize design_;
    std::string sizeFile_;
    std::optional<WindowSize> sizeRead_;
    QSize normalSize_;  // the window's size when neither maximized nor full screen
    QTimer* sizeSettles_;
    bool maximizedBeforeFullScreen_ = false;
    bool fullScreenAtShow_ = false;
    bool tookScreen_ = false;  // full screen by the window's own hand: no window manager did it
    QRect geometryBeforeFullScreen_;
};

}  // namespace qtfront
