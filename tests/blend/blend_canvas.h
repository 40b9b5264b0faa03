// Picture-box stand-ins for the pxmix tests: the device-context tests' canvas,
// read and written as colours 0x00RRGGBB.
#pragma once

#include <cstdint>

#include "../platform/gdi_support.h"
#include "pxmix.h"

namespace blendtest {

constexpr int32_t kPacked = PX_FLAG_MMX;

// A colour from its channels in memory order, as the examples give them.
constexpr uint32_t bgr(uint32_t b, uint32_t g, uint32_t r) { return (r << 16) | (g << 8) | b; }

struct Canvas : gditest::Canvas {
    Canvas(int w, int h, uint32_t colour = 0) : gditest::Canvas(w, h, colour | gditest::kOpaque) {}
    int32_t hdc() const { return static_cast<int32_t>(dc); }
    uint32_t get(int x, int y) const { return pixels[y * width + x] & 0xFFFFFFu; }
    void set(int x, int y, uint32_t colour) { pixels[y * width + x] = colour | gditest::kOpaque; }
};

// px_BitBlt in the shape of the blends, so one table holds all five; it
// ignores the second source.
inline int32_t PXMIX_CALL copyAsBlend(int32_t d, int32_t xd, int32_t yd, int32_t w, int32_t h, int32_t s1, int32_t x1,
                                      int32_t y1, int32_t, int32_t, int32_t, int32_t flags, int32_t key) {
    return px_BitBlt(d, xd, yd, w, h, s1, x1, y1, flags, key);
}

// One export call over w x h pixels of three canvases, all at the origin.
inline int32_t call(PxBlendFunction op, const Canvas& d, int w, int h, const Canvas& s1, const Canvas& s2,
                    int32_t flags, int32_t key = 0) {
    return op(d.hdc(), 0, 0, w, h, s1.hdc(), 0, 0, s2.hdc(), 0, 0, flags, key);
}

}  // namespace blendtest
