// SPDX-License-Identifier: GPL-3.0-or-later
/* pxmix: per-pixel blends between device-context rectangles, and the MMX query.
 *
 * Every blit reads its source rectangle(s) out of device contexts, combines them
 * in memory and writes the result rectangle into the destination DC; the
 * destination's former pixels are never read, so source and destination may be
 * the same DC and overlap. All arguments and results are 32-bit integers; device
 * contexts are the handles of wingdi.h passed as int32_t. Every blit returns 0.
 * A width or height of 0 or less, or a block that cannot be allocated, draws
 * nothing.
 *
 * The library was built for 32-bit Windows, where these functions use the
 * stdcall convention (the callee pops its arguments). x86-64 has a single C
 * convention and no stdcall, so PXMIX_CALL is empty there and on every other
 * 64-bit target; it only means something on 32-bit x86. */
#ifndef LANEBEAM_PXMIX_H
#define LANEBEAM_PXMIX_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32) && defined(PXMIX_BUILDING)
#define PXMIX_API __declspec(dllexport)
#elif defined(_WIN32)
#define PXMIX_API __declspec(dllimport)
#else
#define PXMIX_API __attribute__((visibility("default")))
#endif

#if defined(_WIN32) && !defined(_WIN64)
#define PXMIX_CALL __stdcall
#elif defined(__i386__)
#define PXMIX_CALL __attribute__((stdcall))
#else
#define PXMIX_CALL
#endif

/* Bits of the flags argument; all other bits are ignored. */
enum {
    PX_ALPHA_MASK = 0x00FF, /* alpha of px_AlphaBlend, the weight of the first source */
    PX_FLAG_MMX = 0x0100,   /* use the packed (MMX) routine */
    PX_FLAG_KEY = 0x0200    /* skip first-source pixels equal to the colour key */
};

/* The four blends: dest = op(src1, src2) over width x height pixels. Their colour
 * key is a platform colour 0x00BBGGRR; a keyed pixel comes out black.
 *   px_AddBlend   each channel min(255, c1 + c2)
 *   px_SubBlend   each channel max(0, c1 - c2)
 *   px_HalfBlend  each channel floor((c1 + c2) / 2)
 *   px_AlphaBlend each channel c2 + floor((c1 - c2) * alpha / 256), alpha = flags & 0xFF */
PXMIX_API int32_t PXMIX_CALL px_HalfBlend(int32_t hdcDest, int32_t xDest, int32_t yDest, int32_t width, int32_t height,
                                          int32_t hdcSrc1, int32_t xSrc1, int32_t ySrc1, int32_t hdcSrc2, int32_t xSrc2,
                                          int32_t ySrc2, int32_t flags, int32_t colorKey);
PXMIX_API int32_t PXMIX_CALL px_AddBlend(int32_t hdcDest, int32_t xDest, int32_t yDest, int32_t width, int32_t height,
                                         int32_t hdcSrc1, int32_t xSrc1, int32_t ySrc1, int32_t hdcSrc2, int32_t xSrc2,
                                         int32_t ySrc2, int32_t flags, int32_t colorKey);
PXMIX_API int32_t PXMIX_CALL px_SubBlend(int32_t hdcDest, int32_t xDest, int32_t yDest, int32_t width, int32_t height,
                                         int32_t hdcSrc1, int32_t xSrc1, int32_t ySrc1, int32_t hdcSrc2, int32_t xSrc2,
                                         int32_t ySrc2, int32_t flags, int32_t colorKey);
PXMIX_API int32_t PXMIX_CALL px_AlphaBlend(int32_t hdcDest, int32_t xDest, int32_t yDest, int32_t width, int32_t height,
                                           int32_t hdcSrc1, int32_t xSrc1, int32_t ySrc1, int32_t hdcSrc2,
                                           int32_t xSrc2, int32_t ySrc2, int32_t flags, int32_t colorKey);
/* A copy; its colour key is compared as passed, as a pixel value 0x00RRGGBB. */
PXMIX_API int32_t PXMIX_CALL px_BitBlt(int32_t hdcDest, int32_t xDest, int32_t yDest, int32_t width, int32_t height,
                                       int32_t hdcSrc, int32_t xSrc, int32_t ySrc, int32_t flags, int32_t colorKey);
/* 1 when the processor has MMX (CPUID function 1, EDX bit 23), else 0. */
PXMIX_API int32_t PXMIX_CALL px_CheckMmx(void);

/* The shapes of the exports, for binding them by name at run time. */
typedef int32_t(PXMIX_CALL* PxBlendFunction)(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                                             int32_t, int32_t, int32_t, int32_t, int32_t);
typedef int32_t(PXMIX_CALL* PxCopyFunction)(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                                            int32_t, int32_t);
typedef int32_t(PXMIX_CALL* PxCheckMmxFunction)(void);

#ifdef __cplusplus
}
#endif

#endif
