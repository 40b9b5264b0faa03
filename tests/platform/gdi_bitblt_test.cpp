// BitBlt: the two raster operations, clipping at every edge, overlap in one DC.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "gdi_support.h"

using gditest::Canvas;
using gditest::kOpaque;

namespace {

constexpr uint32_t kColour = 0x00FFFFFFu;

uint32_t applyRop(DWORD rop, uint32_t src, uint32_t dst) {
    return rop == SRCCOPY ? (src | kOpaque) : ((src & ~dst & kColour) | kOpaque);
}

// BitBlt written the slow way: every destination pixel that lies in the
// rectangle and whose source pixel lies in the source bitmap, read from a copy
// taken before.
std::vector<uint32_t> expected(const std::vector<uint32_t>& src, int sw, int sh,
                               std::vector<uint32_t> dst, int dw, int dh, int xd, int yd, int w,
                               int h, int xs, int ys, DWORD rop) {
    const std::vector<uint32_t> before = dst;
    for (int64_t dy = 0; dy < dh; ++dy)
        for (int64_t dx = 0; dx < dw; ++dx) {
            int64_t i = dx - xd, j = dy - yd;
            if (i < 0 || j < 0 || i >= w || j >= h) continue;
            int64_t sx = xs + i, sy = ys + j;
            if (sx < 0 || sy < 0 || sx >= sw || sy >= sh) continue;
            dst[dy * dw + dx] = applyRop(rop, src[sy * sw + sx], before[dy * dw + dx]);
        }
    return dst;
}

struct ClipCase {
    const char* name;
    int xd, yd, w, h, xs, ys;
};

// Source 7 x 5, destination 6 x 4.
const ClipCase kClipCases[] = {
    {"inside", 1, 1, 3, 2, 2, 1},
    {"whole source over the edge of the destination", 0, 0, 7, 5, 0, 0},
    {"destination off the left", -2, 1, 4, 2, 1, 1},
    {"destination off the top", 1, -3, 3, 4, 0, 0},
    {"destination off the right", 4, 0, 4, 3, 0, 0},
    {"destination off the bottom", 0, 2, 3, 4, 0, 0},
    {"source off the left", 1, 1, 4, 2, -3, 0},
    {"source off the top", 0, 0, 3, 4, 1, -2},
    {"source off the right", 0, 0, 4, 2, 5, 1},
    {"source off the bottom", 0, 1, 3, 3, 2, 3},
    {"both off opposite corners", -1, -1, 8, 8, -2, -3},
    {"entirely outside the destination", 6, 0, 3, 3, 0, 0},
    {"entirely outside the source", 0, 0, 3, 3, 7, 0},
    {"zero width", 0, 0, 0, 3, 0, 0},
    {"zero height", 0, 0, 3, 0, 0, 0},
    {"coordinates near INT_MAX", INT_MAX - 1, 0, 3, 3, 0, 0},
    {"coordinates near INT_MIN", 0, 0, 3, 3, INT_MIN + 1, INT_MIN},
    {"huge rectangle", INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MIN},
};

TEST(GdiBitBlt, ClipsBothRectanglesAtEveryEdge) {
    for (DWORD rop : {DWORD{SRCCOPY}, DWORD{SRCERASE}}) {
        for (const auto& c : kClipCases) {
            SCOPED_TRACE(testing::Message() << c.name << (rop == SRCCOPY ? " / SRCCOPY" : " / SRCERASE"));
            Canvas src(7, 5), dst(6, 4);
            src.fillPattern(1);
            dst.fillPattern(2);
            const auto source = src.snapshot();
            auto want = expected(source, 7, 5, dst.snapshot(), 6, 4, c.xd, c.yd, c.w, c.h, c.xs,
                                 c.ys, rop);
            EXPECT_TRUE(BitBlt(dst.dc, c.xd, c.yd, c.w, c.h, src.dc, c.xs, c.ys, rop));
            EXPECT_EQ(dst.snapshot(), want);
            EXPECT_EQ(src.snapshot(), source);
        }
    }
}

// Applied twice, SRCERASE leaves source AND old destination.
TEST(GdiBitBlt, SrcEraseTwiceGivesSourceAndDestination) {
    const uint32_t sources[] = {0xFF000000u, 0xFFFFFFFFu, 0xFF0F0F0Fu, 0xFF123456u, 0xFFA5C3E1u};
    const uint32_t dests[] = {0xFF000000u, 0xFFFFFFFFu, 0xFFF0F0F0u, 0xFF654321u, 0xFF5A3C1Eu};
    for (uint32_t s : sources)
        for (uint32_t d : dests) {
            Canvas src(2, 1, s), dst(2, 1, d);
            BitBlt(dst.dc, 0, 0, 2, 1, src.dc, 0, 0, SRCERASE);
            EXPECT_EQ(dst.at(0, 0), ((s & ~d) & kColour) | kOpaque) << std::hex << s << " " << d;
            BitBlt(dst.dc, 0, 0, 2, 1, src.dc, 0, 0, SRCERASE);
            EXPECT_EQ(dst.at(1, 0), ((s & d) & kColour) | kOpaque) << std::hex << s << " " << d;
        }
}

// The device keeps the X byte opaque whatever the memory was given.
TEST(GdiBitBlt, KeepsTheXByteOpaque) {
    Canvas src(1, 1), dst(1, 1);
    for (DWORD rop : {DWORD{SRCCOPY}, DWORD{SRCERASE}}) {
        src.at(0, 0) = 0x00ABCDEFu;
        dst.at(0, 0) = 0x7F000000u;
        BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, rop);
        EXPECT_EQ(dst.at(0, 0), 0xFFABCDEFu);
    }
}

TEST(GdiBitBlt, OverlapInOneDcReadsTheSourceFirst) {
    struct Shift {
        int dx, dy;
    };
    const Shift shifts[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {2, 3}, {-3, -2}, {1, -1}, {0, 0}};
    for (DWORD rop : {DWORD{SRCCOPY}, DWORD{SRCERASE}}) {
        for (const auto& s : shifts) {
            SCOPED_TRACE(testing::Message() << "shift " << s.dx << "," << s.dy << " rop " << std::hex << rop);
            Canvas c(9, 8);
            c.fillPattern(3);
            auto before = c.snapshot();
            auto want = expected(before, 9, 8, before, 9, 8, 2 + s.dx, 2 + s.dy, 5, 4, 2, 2, rop);
            EXPECT_TRUE(BitBlt(c.dc, 2 + s.dx, 2 + s.dy, 5, 4, c.dc, 2, 2, rop));
            EXPECT_EQ(c.snapshot(), want);
        }
    }
}

TEST(GdiBitBlt, RefusesWhatItCannotDo) {
    Canvas src(3, 3, 0xFF111111u), dst(3, 3, 0xFF222222u);
    struct Refused {
        const char* name;
        int w, h;
        DWORD rop;
    };
    const Refused cases[] = {{"PATCOPY", 3, 3, 0x00F00021}, {"zero rop", 3, 3, 0},
                             {"SRCAND", 3, 3, 0x008800C6},  {"negative width", -3, 3, SRCCOPY},
                             {"negative height", 3, -1, SRCCOPY}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(BitBlt(dst.dc, 0, 0, c.w, c.h, src.dc, 0, 0, c.rop));
        EXPECT_EQ(dst.at(1, 1), 0xFF222222u);
    }
}

}  // namespace
