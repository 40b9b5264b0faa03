// BitBlt: the two raster operations, clipping at every edge, overlap in one DC.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "gdi_support.h"

using gditest::Canvas;
using gditest::kOpaque;

namespace {

// BitBlt the slow way: every destination pixel inside the rectangle whose
// source pixel lies in the source bitmap, read from a copy taken before.
std::vector<uint32_t> expected(const std::vector<uint32_t>& src, int sw, int sh, std::vector<uint32_t> dst, int dw,
                               int dh, int xd, int yd, int w, int h, int xs, int ys, DWORD rop) {
    const std::vector<uint32_t> before = dst;
    for (int64_t dy = 0; dy < dh; ++dy)
        for (int64_t dx = 0; dx < dw; ++dx) {
            const int64_t i = dx - xd, j = dy - yd, sx = xs + i, sy = ys + j;
            if (i < 0 || j < 0 || i >= w || j >= h || sx < 0 || sy < 0 || sx >= sw || sy >= sh) continue;
            const uint32_t s = src[sy * sw + sx], d = before[dy * dw + dx];
            dst[dy * dw + dx] = (rop == SRCCOPY ? s : s & ~d) | kOpaque;
        }
    return dst;
}

// Overlapping rectangles in one DC must read the source before writing.
TEST(GdiBitBlt, ClipsAtEveryEdgeAndOverlapsInOneDc) {
    struct Clip {
        const char* name;
        int xd, yd, w, h, xs, ys;
        bool oneDc;
    };
    // Source 7 x 5, destination 6 x 4 (also the source when oneDc).
    const Clip cases[] = {
        {"destination off the left and top", -2, -3, 4, 5, 1, 0, false},
        {"destination off the right and bottom", 4, 2, 4, 4, 0, 0, false},
        {"source off the left and top", 1, 1, 4, 3, -3, -2, false},
        {"source off the right and bottom", 0, 0, 4, 3, 5, 3, false},
        {"both off opposite corners", -1, -1, 8, 8, -2, -3, false},
        {"huge rectangle", INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MIN, false},
        {"one DC, moved right and down", 2, 1, 3, 3, 1, 0, true},
        {"one DC, moved left and up", 0, 0, 4, 3, 1, 1, true},
    };
    for (DWORD rop : {DWORD{SRCCOPY}, DWORD{SRCERASE}})
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << (rop == SRCCOPY ? " / SRCCOPY" : " / SRCERASE"));
            Canvas src(7, 5), dst(6, 4);
            src.fillPattern(1);
            dst.fillPattern(2);
            const auto source = c.oneDc ? dst.snapshot() : src.snapshot();
            const int sw = c.oneDc ? 6 : 7, sh = c.oneDc ? 4 : 5;
            const auto want = expected(source, sw, sh, dst.snapshot(), 6, 4, c.xd, c.yd, c.w, c.h, c.xs, c.ys, rop);
            EXPECT_TRUE(BitBlt(dst.dc, c.xd, c.yd, c.w, c.h, c.oneDc ? dst.dc : src.dc, c.xs, c.ys, rop));
            EXPECT_EQ(dst.snapshot(), want);
            if (!c.oneDc) {
                EXPECT_EQ(src.snapshot(), source);
            }
        }
}

// Applied twice, SRCERASE leaves source AND old destination; the device keeps
// the X byte opaque whatever the memory held.
TEST(GdiBitBlt, SrcEraseTwiceGivesSourceAndDestination) {
    for (uint32_t s : {0x00000000u, 0xFFFFFFFFu, 0x00123456u, 0xFFA5C3E1u})
        for (uint32_t d : {0x7F000000u, 0xFFFFFFFFu, 0xFF654321u, 0x005A3C1Eu}) {
            Canvas src(2, 1, s), dst(2, 1, d);
            BitBlt(dst.dc, 0, 0, 2, 1, src.dc, 0, 0, SRCERASE);
            EXPECT_EQ(dst.at(0, 0), (s & ~d) | kOpaque) << std::hex << s << " " << d;
            BitBlt(dst.dc, 0, 0, 2, 1, src.dc, 0, 0, SRCERASE);
            EXPECT_EQ(dst.at(1, 0), (s & d) | kOpaque) << std::hex << s << " " << d;
            // Other raster operations and negative sizes are refused, not guessed at.
            EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 2, 1, src.dc, 0, 0, 0x008800C6 /* SRCAND */));
            EXPECT_FALSE(BitBlt(dst.dc, 0, 0, -2, 1, src.dc, 0, 0, SRCCOPY));
            EXPECT_EQ(dst.at(1, 0), (s & d) | kOpaque);
        }
}

}  // namespace
