// SPDX-License-Identifier: GPL-3.0-or-later
// The game's binding of pxmix: the library is opened by file name at the first
// call of one of its exports, as the game always did, and both exports are
// bound then.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "loader/shared_library.h"
#include "pxmix.h"

namespace game {

// Every failure is a platform::LibraryError naming the file, again at every
// later call.
class BlendLibrary {
public:
    explicit BlendLibrary(std::string path) : library_(std::move(path)) {}

    int32_t checkMmx();
    int32_t addBlend(uint32_t hdcDest, int32_t xDest, int32_t yDest, int32_t width, int32_t height, uint32_t hdcSrc1,
                     int32_t xSrc1, int32_t ySrc1, uint32_t hdcSrc2, int32_t xSrc2, int32_t ySrc2, int32_t flags,
                     int32_t colorKey);
    const std::string& path() const { return library_.path(); }

private:
    void bind();

    platform::SharedLibrary library_;
    PxCheckMmxFunction checkMmx_ = nullptr;
    PxBlendFunction addBlend_ = nullptr;
};

}  // namespace game
