// SPDX-License-Identifier: GPL-3.0-or-later
/* Device contexts, bitmaps, the millisecond tick and global memory: the small
 * part of the Windows graphics and kernel services that the game and pxmix call,
 * with the Windows names, argument orders and results, over plain pixel memory.
 *
 * Handles are 32-bit integers into one process-wide table, so the game and the
 * blend library see the same objects. A stale or unknown handle is refused: the
 * call fails (returns 0) and nothing is touched. */
#ifndef LANEBEAM_WINGDI_H
#define LANEBEAM_WINGDI_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32) && defined(WINGDI_BUILDING)
#define WINGDI_API __declspec(dllexport)
#elif defined(_WIN32)
#define WINGDI_API __declspec(dllimport)
#else
#define WINGDI_API __attribute__((visibility("default")))
#endif

typedef int32_t BOOL;
typedef uint32_t DWORD;
typedef uint32_t UINT;
typedef int32_t LONG;
typedef uint16_t WORD;
typedef uint32_t HDC;
typedef uint32_t HBITMAP;
typedef uint32_t HGDIOBJ;
typedef void* HGLOBAL;

enum {
    SRCCOPY = 0x00CC0020,  /* dest = source */
    SRCERASE = 0x00440328, /* dest = source AND NOT dest */
    BI_RGB = 0,
    DIB_RGB_COLORS = 0,
    GMEM_FIXED = 0x0000,
    GMEM_ZEROINIT = 0x0040,
    GPTR = 0x0040
};

/* The 40-byte header of a device-independent bitmap. */
typedef struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight; /* positive: rows bottom-up; negative: top-down */
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER;

typedef struct RGBQUAD {
    uint8_t rgbBlue, rgbGreen, rgbRed, rgbReserved;
} RGBQUAD;

typedef struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
} BITMAPINFO;

/* A memory device context; the argument only names the device to be compatible
 * with (0 = the screen) and may be 0 or any live DC. Each new DC starts with its
 * own 1 x 1 stock bitmap selected, as on Windows. */
WINGDI_API HDC CreateCompatibleDC(HDC hdc);
/* A 32-bit bitmap of w x h pixels, initially black; 0 when w or h is not in
 * 1..32767, the bitmap would exceed 2^26 pixels, or hdc is neither 0 nor live. */
WINGDI_API HBITMAP CreateCompatibleBitmap(HDC hdc, int w, int h);
/* Selects a bitmap into a DC; returns the bitmap selected before, 0 on failure.
 * A bitmap can be selected into one DC at a time. */
WINGDI_API HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj);
/* Deletes a bitmap that is not selected into any DC. A DC's own stock bitmap
 * is refused: it is deleted with its DC. */
WINGDI_API BOOL DeleteObject(HGDIOBJ obj);
/* Deletes a memory DC; the bitmap selected into it becomes free again. */
WINGDI_API BOOL DeleteDC(HDC hdc);
/* SRCCOPY and SRCERASE; both rectangles are clipped to their bitmaps, and where
 * the source lies outside its bitmap the destination is left as it was. Source
 * and destination may be the same DC and overlap. Other raster operations and
 * negative sizes are refused. */
WINGDI_API BOOL BitBlt(HDC hdcDest, int xDest, int yDest, int w, int h, HDC hdcSrc, int xSrc, int ySrc, DWORD rop);
/* Reads scan lines of a bitmap as 32-bit BI_RGB pixels (X byte 0), scan 0 being
 * the bottom row when biHeight > 0 and the top row when it is negative; returns
 * the number of lines copied. The header must match the bitmap's size. Windows
 * wants the bitmap out of every DC; here a selected one is read as it is. */
WINGDI_API int GetDIBits(HDC hdc, HBITMAP bmp, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage);
/* Writes the rectangle (xSrc, ySrc, w, h) of a 32-bit BI_RGB DIB into the bitmap
 * of a DC at (xDest, yDest), clipped to both. ySrc counts from the DIB's first
 * row in memory order (the bottom row when bottom-up); bits holds only the
 * scans startScan .. startScan + lines - 1. Returns the number of scans given
 * that the DIB has, 0 on failure. */
WINGDI_API int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT startScan,
                                 UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);

/* A fixed block; GMEM_ZEROINIT fills it with zeros. NULL when memory is short or
 * more than 1 GiB is asked for. */
WINGDI_API HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
/* Returns 0 on success, the block itself on failure (a block GlobalAlloc did not
 * give, or one already freed). */
WINGDI_API HGLOBAL GlobalFree(HGLOBAL mem);

/* Milliseconds from the installed clock, as a signed 32-bit count that wraps.
 * The steady clock starts at 0x01000000 when the library is loaded. */
WINGDI_API int32_t GetTickCount(void);

/* --- our own additions, not Windows services --- */

/* Installs the clock GetTickCount reads; NULL restores the steady clock. */
typedef int32_t (*TickSource)(void* context);
WINGDI_API void lbSetTickSource(TickSource source, void* context);
/* Microseconds until the steady clock's GetTickCount first reads `tick` (0 when
 * it already has; 0 too while another source is installed, whose future is
 * unknown). Lets a wait sleep once, to the very millisecond it waits for. */
WINGDI_API int64_t lbMicrosUntilTick(int32_t tick);

/* The pixel memory of a bitmap: width x height pixels 0xFFRRGGBB, rows
 * top-down, no padding. The unused byte is kept at 0xFF in the device so the
 * memory can be shown as an opaque picture; captures read it as 0. NULL for an
 * unknown handle. The pointer stays valid until the bitmap is deleted. */
WINGDI_API uint32_t* lbBitmapPixels(HBITMAP bmp, int* width, int* height);
/* A count that moves on each time BitBlt or SetDIBitsToDevice writes pixels of
 * the bitmap, so a view can tell that nothing was drawn on it since it last
 * looked; writes through the pointer of lbBitmapPixels are the caller's to
 * count. 0 for an unknown handle. */
WINGDI_API uint32_t lbBitmapWrites(HBITMAP bmp);
/* The bitmap currently selected into a DC, 0 for an unknown handle. */
WINGDI_API HBITMAP lbSelectedBitmap(HDC hdc);

#ifdef __cplusplus
}
#endif

#endif
