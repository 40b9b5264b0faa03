// SPDX-License-Identifier: GPL-3.0-or-later
// The game window's size as the player left it, in a small file of its own
// beside the settings file: a presentation preference, so the settings file
// keeps the format it always had.
#pragma once

#include <QSize>

#include <optional>
#include <string>

namespace qtfront {

struct WindowSize {
    QSize size;  // the window inside its frame, logical pixels, when neither maximized nor full screen
    bool maximized = false;
    bool fullScreen = false;
    bool operator==(const WindowSize&) const = default;
};

// Three lines, "size W H", "maximized 0|1", "fullscreen 0|1". A missing file,
// anything but a regular file, or anything else in it gives nothing, and the
// window starts as it always did. Paths are the system's bytes.
std::optional<WindowSize> readWindowSize(const std::string& path);
// Replaces the file whole by the settings file's atomic writer (a temporary
// file renamed over it, a symbolic link replaced, never written through, a
// read-only file left alone); false on failure.
bool writeWindowSize(const std::string& path, const WindowSize& size);

}  // namespace qtfront
