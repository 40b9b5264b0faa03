// The game window's size as the player left it, in a small file of its own
// beside the settings file: a presentation preference, so the settings file
// keeps the format it always had.
#pragma once

#include <QSize>
#include <QString>

#include <optional>

namespace qtfront {

struct WindowSize {
    QSize size;  // the window inside its frame, logical pixels, when neither maximized nor full screen
    bool maximized = false;
    bool fullScreen = false;
    bool operator==(const WindowSize&) const = default;
};

// Three lines, "size W H", "maximized 0|1", "fullscreen 0|1". A missing file
// or anything else in it gives nothing, and the window starts as it always did.
std::optional<WindowSize> readWindowSize(const QString& path);
// Replaces the file whole (a temporary file renamed over it); false on failure.
bool writeWindowSize(const QString& path, const WindowSize& size);

}  // namespace qtfront
