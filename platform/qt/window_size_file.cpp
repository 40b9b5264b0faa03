// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_size_file.h"

#include <cstdio>

#include "files/atomic_file.h"
#include "files/regular_file.h"

namespace qtfront {

namespace {

constexpr int kLargestSide = 32767;  // X's limit; anything larger is damage
constexpr size_t kLongestFile = 64;

std::string render(const WindowSize& size) {
    char text[kLongestFile + 1];
    std::snprintf(text, sizeof text, "size %d %d\nmaximized %d\nfullscreen %d\n", size.size.width(), size.size.height(),
                  size.maximized ? 1 : 0, size.fullScreen ? 1 : 0);
    return text;
}

}  // namespace

std::optional<WindowSize> readWindowSize(const std::string& path) {
    // Through the regular-file check: a FIFO in the file's place would block
    // the start-up in open().
    const platform::files::FileBytes file = platform::files::readRegularFile(path, kLongestFile);
    if (file.status != platform::files::ReadStatus::Ok) return std::nullopt;
    const std::string& text = file.bytes;
    int w = 0, h = 0, maximized = 0, fullScreen = 0;
    if (std::sscanf(text.c_str(), "size %d %d maximized %d fullscreen %d", &w, &h, &maximized, &fullScreen) != 4)
        return std::nullopt;
    const WindowSize read{{w, h}, maximized == 1, fullScreen == 1};
    // Only the file this program writes is taken: any other byte is damage.
    if (w < 1 || h < 1 || w > kLargestSide || h > kLargestSide || render(read) != text) return std::nullopt;
    return read;
}

bool writeWindowSize(const std::string& path, const WindowSize& size) {
    return platform::files::writeFileAtomically(path, render(size));
}

}  // namespace qtfront
