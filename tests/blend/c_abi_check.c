// SPDX-License-Identifier: GPL-3.0-or-later
// Drives pxmix through the device-context functions from plain C, as any C
// program could: returns 0 when every step did what it should, otherwise the
// number of the first step that did not.
#include <stdint.h>

#include "pxmix.h"
#include "wingdi.h"

int pxmix_c_abi_check(void) {
    // Destination, first and second source, 4 x 2 each.
    const uint32_t fill[3] = {0xFF000000u, 0xFF3264C8u, 0xFF646464u};
    HDC dc[3];
    HBITMAP bitmap[3];
    uint32_t* px[3];
    int i, j, result = 0;
    for (i = 0; i < 3; ++i) {
        dc[i] = CreateCompatibleDC(0);
        bitmap[i] = CreateCompatibleBitmap(dc[i], 4, 2);
        px[i] = lbBitmapPixels(bitmap[i], 0, 0);
        if (!SelectObject(dc[i], bitmap[i]) || !px[i]) return 1;
        for (j = 0; j < 8; ++j) px[i][j] = fill[i];
    }
    // (B, G, R) = (200, 100, 50) + (100, 100, 100) = (255, 200, 150), packed.
    if (px_AddBlend((int32_t)dc[0], 0, 0, 4, 2, (int32_t)dc[1], 0, 0, (int32_t)dc[2], 0, 0, PX_FLAG_MMX, 0) != 0)
        result = 2;
    for (j = 0; j < 8 && !result; ++j)
        if (px[0][j] != 0xFF96C8FFu) result = 3;
    // Keyed copy: the copy compares the key as a pixel value.
    px[1][0] = 0xFF0000FFu;
    if (!result && px_BitBlt((int32_t)dc[0], 0, 0, 4, 2, (int32_t)dc[1], 0, 0, PX_FLAG_KEY, 0x0000FF) != 0) result = 4;
    if (!result && (px[0][0] != 0xFF000000u || px[0][1] != 0xFF3264C8u)) result = 5;
    if (!result && px_CheckMmx() != 0 && px_CheckMmx() != 1) result = 6;
    for (i = 0; i < 3; ++i) {
        DeleteDC(dc[i]);  // which lets its bitmap go
        DeleteObject(bitmap[i]);
    }
    return result;
}
