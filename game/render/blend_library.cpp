// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/blend_library.h"

namespace game {

void BlendLibrary::bind() {
    if (checkMmx_ && addBlend_) return;
    auto* checkMmx = reinterpret_cast<PxCheckMmxFunction>(library_.symbol("px_CheckMmx"));
    addBlend_ = reinterpret_cast<PxBlendFunction>(library_.symbol("px_AddBlend"));
    checkMmx_ = checkMmx;
}

int32_t BlendLibrary::checkMmx() {
    bind();
    return checkMmx_();
}

int32_t BlendLibrary::addBlend(uint32_t hdcDest, int32_t xDest, int32_t yDest, int32_t width, int32_t height,
                               uint32_t hdcSrc1, int32_t xSrc1, int32_t ySrc1, uint32_t hdcSrc2, int32_t xSrc2,
                               int32_t ySrc2, int32_t flags, int32_t colorKey) {
    bind();
    // Handles cross the boundary as 32-bit integers; the bits are kept as they are.
    return addBlend_(static_cast<int32_t>(hdcDest), xDest, yDest, width, height, static_cast<int32_t>(hdcSrc1), xSrc1,
                     ySrc1, static_cast<int32_t>(hdcSrc2), xSrc2, ySrc2, flags, colorKey);
}

}  // namespace game
