// SPDX-License-Identifier: GPL-3.0-or-later
// The six exports of pxmix. Each blit follows one sequence: build the work set,
// capture the source(s), run the routine the flags choose, write the result.
#define PXMIX_BUILDING 1
#include "pxmix.h"

#include <type_traits>

#include "blend_work.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace {

// A platform colour 0x00BBGGRR as the pixel 0x00RRGGBB it names.
uint32_t keyAsPixel(int32_t colorKey) {
    const uint32_t k = static_cast<uint32_t>(colorKey);
    return ((k & 0xFF) << 16) | (k & 0xFF00) | ((k >> 16) & 0xFF);
}

HDC handle(int32_t hdc) { return static_cast<HDC>(hdc); }

template <class Work>
int32_t blend(int32_t hdcDest, int32_t xDest, int32_t yDest, int32_t width, int32_t height, int32_t hdcSrc1,
              int32_t xSrc1, int32_t ySrc1, int32_t hdcSrc2, int32_t xSrc2, int32_t ySrc2, int32_t flags,
              int32_t colorKey) {
    Work work(width, height);
    if (!work.ready()) return 0;
    if constexpr (std::is_same_v<Work, pxmix::AlphaBlendWork>) work.setAlpha(flags & PX_ALPHA_MASK);
    work.captureFirst(handle(hdcSrc1), xSrc1, ySrc1);
    work.captureSecond(handle(hdcSrc2), xSrc2, ySrc2);
    work.run(flags, keyAsPixel(colorKey));
    work.writeResult(handle(hdcDest), xDest, yDest);
    return 0;
}

}  // namespace

extern "C" {

int32_t PXMIX_CALL px_HalfBlend(int32_t hdcDest, int32_t xDest, int32_t yDest, int32_t width, int32_t height,
                                int32_t hdcSrc1, int32_t xSrc1, int32_t ySrc1, int32_t hdcSrc2, int32_t xSrc2,
                                int32_t ySrc2, int32_t flags, int32_t colorKey) {
    return blend<pxmix::HalfBlendWork>(hdcDest, xDest, yDest, width, height, hdcSrc1, xSrc1, ySrc1, hdcSrc2, xSrc2,
                                       ySrc2, flags, colorKey);
}

int32_t PXMIX_CALL px_AddBlend(int32_t hdcDest, int32_t xDest, int32_t yDest, int32_t width, int32_t height,
                               int32_t hdcSrc1, int32_t xSrc1, int32_t ySrc1, int32_t hdcSrc2, int32_t xSrc2,
                               int32_t ySrc2, int32_t flags, int32_t colorKey) {
    return blend<pxmix::AddBlendWork>(hdcDest, xDest, yDest, width, height, hdcSrc1, xSrc1, ySrc1, hdcSrc2, xSrc2,
                                      ySrc2, flags, colorKey);
}

int32_t PXMIX_CALL px_SubBlend(int32_t hdcDest, int32_t xDest, int32_t yDest, int32_t width, int32_t height,
                               int32_t hdcSrc1, int32_t xSrc1, int32_t ySrc1, int32_t hdcSrc2, int32_t xSrc2,
                               int32_t ySrc2, int32_t flags, int32_t colorKey) {
    return blend<pxmix::SubBlendWork>(hdcDest, xDest, yDest, width, height, hdcSrc1, xSrc1, ySrc1, hdcSrc2, xSrc2,
                                      ySrc2, flags, colorKey);
}

int32_t PXMIX_CALL px_AlphaBlend(int32_t hdcDest, int32_t xDest, int32_t yDest, int32_t width, int32_t height,
                                 int32_t hdcSrc1, int32_t xSrc1, int32_t ySrc1, int32_t hdcSrc2, int32_t xSrc2,
                                 int32_t ySrc2, int32_t flags, int32_t colorKey) {
    return blend<pxmix::AlphaBlendWork>(hdcDest, xDest, yDest, width, height, hdcSrc1, xSrc1, ySrc1, hdcSrc2, xSrc2,
                                        ySrc2, flags, colorKey);
}

// The copy has one source and compares its key as passed.
int32_t PXMIX_CALL px_BitBlt(int32_t hdcDest, int32_t xDest, int32_t yDest, int32_t width, int32_t height,
                             int32_t hdcSrc, int32_t xSrc, int32_t ySrc, int32_t flags, int32_t colorKey) {
    pxmix::CopyWork work(width, height);
    if (!work.ready()) return 0;
    work.captureFirst(handle(hdcSrc), xSrc, ySrc);
    work.run(flags, static_cast<uint32_t>(colorKey));
    work.writeResult(handle(hdcDest), xDest, yDest);
    return 0;
}

int32_t PXMIX_CALL px_CheckMmx(void) {
#if defined(__i386__) || defined(__x86_64__)
    unsigned eax, ebx, ecx, edx;
    __cpuid(1, eax, ebx, ecx, edx);
    return static_cast<int32_t>((edx >> 23) & 1);
#else
    return 0;
#endif
}

}  // extern "C"
