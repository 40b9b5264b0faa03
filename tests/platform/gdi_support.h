// SPDX-License-Identifier: GPL-3.0-or-later
// A memory DC with its own bitmap selected, for the device-context and the
// blend tests.
#pragma once

#include <cstdint>
#include <vector>

#include "wingdi.h"

namespace gditest {

constexpr uint32_t kOpaque = 0xFF000000u;

class Canvas {
public:
    Canvas(int w, int h, uint32_t fill = kOpaque) : width(w), height(h) {
        dc = CreateCompatibleDC(0);
        bitmap = CreateCompatibleBitmap(dc, w, h);
        stock = SelectObject(dc, bitmap);
        pixels = lbBitmapPixels(bitmap, nullptr, nullptr);
        for (int i = 0; i < w * h; ++i) pixels[i] = fill;
    }
    ~Canvas() {
        SelectObject(dc, stock);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    uint32_t& at(int x, int y) { return pixels[y * width + x]; }
    std::vector<uint32_t> snapshot() const { return {pixels, pixels + width * height}; }
    // Distinct values, so a pixel that lands in the wrong place shows; the X
    // bytes vary too, as device memory written directly may hold anything.
    void fillPattern(uint32_t seed) {
        for (int i = 0; i < width * height; ++i) pixels[i] = seed * 2654435761u + i * 40503u;
    }

    const int width, height;
    HDC dc = 0;
    HBITMAP bitmap = 0;
    HGDIOBJ stock = 0;
    uint32_t* pixels = nullptr;
};

inline BITMAPINFO dibHeader(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

}  // namespace gditest
