/* Drives pxmix through the device-context functions from plain C, as any C
 * program could: returns 0 when every step did what it should, otherwise the
 * number of the first step that did not. */
#include <stdint.h>

#include "pxmix.h"
#include "wingdi.h"

struct Box {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ stock;
    uint32_t* pixels;
};

static int makeBox(struct Box* box, int w, int h, uint32_t colour) {
    int i, bw = 0, bh = 0;
    box->dc = CreateCompatibleDC(0);
    box->bitmap = CreateCompatibleBitmap(box->dc, w, h);
    box->stock = SelectObject(box->dc, box->bitmap);
    box->pixels = lbBitmapPixels(box->bitmap, &bw, &bh);
    if (!box->dc || !box->bitmap || !box->stock || !box->pixels || bw != w || bh != h) return 0;
    for (i = 0; i < w * h; ++i) box->pixels[i] = colour | 0xFF000000u;
    return 1;
}

static void freeBox(struct Box* box) {
    SelectObject(box->dc, box->stock);
    DeleteObject(box->bitmap);
    DeleteDC(box->dc);
}

int pxmix_c_abi_check(void) {
    struct Box dest, first, second;
    int i, result = 0;
    int32_t mmx;

    if (!makeBox(&dest, 4, 2, 0x000000) || !makeBox(&first, 4, 2, 0x3264C8) || !makeBox(&second, 4, 2, 0x646464))
        return 1;

    /* (B, G, R) = (200, 100, 50) + (100, 100, 100) = (255, 200, 150), packed. */
    if (px_AddBlend((int32_t)dest.dc, 0, 0, 4, 2, (int32_t)first.dc, 0, 0, (int32_t)second.dc, 0, 0, PX_FLAG_MMX, 0) !=
        0)
        result = 2;
    for (i = 0; i < 8 && !result; ++i)
        if (dest.pixels[i] != 0xFF96C8FFu) result = 3;

    /* Keyed copy: the copy compares the key as a pixel value. */
    first.pixels[0] = 0xFF0000FFu;
    if (!result && px_BitBlt((int32_t)dest.dc, 0, 0, 4, 2, (int32_t)first.dc, 0, 0, PX_FLAG_KEY, 0x0000FF) != 0)
        result = 4;
    if (!result && (dest.pixels[0] != 0xFF000000u || dest.pixels[1] != 0xFF3264C8u)) result = 5;

    mmx = px_CheckMmx();
    if (!result && mmx != 0 && mmx != 1) result = 6;

    freeBox(&dest);
    freeBox(&first);
    freeBox(&second);
    return result;
}
