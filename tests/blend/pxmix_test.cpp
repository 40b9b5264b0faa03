// SPDX-License-Identifier: GPL-3.0-or-later
// The exports of pxmix: the worked example of every operation plain and
// packed, the colour key, where the rectangles land, the sizes that draw
// nothing, and a plain C program driving them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "../platform/gdi_support.h"
#include "pxmix.h"

// In c_abi_check.c, compiled as C.
extern "C" int pxmix_c_abi_check(void);

namespace {

constexpr int32_t kPacked = PX_FLAG_MMX;

// A colour from its channels in memory order, as the examples give them.
constexpr uint32_t bgr(uint32_t b, uint32_t g, uint32_t r) { return (r << 16) | (g << 8) | b; }

// A picture box read and written as colours 0x00RRGGBB.
struct Canvas : gditest::Canvas {
    Canvas(int w, int h, uint32_t colour = 0) : gditest::Canvas(w, h, colour | gditest::kOpaque) {}
    uint32_t get(int x, int y) const { return pixels[y * width + x] & 0xFFFFFFu; }
};

// px_BitBlt in the shape of the blends, so one table holds all five; it
// ignores the second source.
int32_t PXMIX_CALL copyAsBlend(int32_t d, int32_t xd, int32_t yd, int32_t w, int32_t h, int32_t s1, int32_t x1,
                               int32_t y1, int32_t, int32_t, int32_t, int32_t flags, int32_t key) {
    return px_BitBlt(d, xd, yd, w, h, s1, x1, y1, flags, key);
}

// One export call over w x h pixels of three canvases, all at the origin.
int32_t call(PxBlendFunction op, const Canvas& d, int w, int h, const Canvas& s1, const Canvas& s2, int32_t flags,
             int32_t key = 0) {
    return op(d.dc, 0, 0, w, h, s1.dc, 0, 0, s2.dc, 0, 0, flags, key);
}

TEST(BlendCAbi, PlainCProgramDrivesTheExports) { EXPECT_EQ(pxmix_c_abi_check(), 0) << "step that failed"; }

// Each example, plain and packed, over rectangles of one, an odd and an even
// number of pixels, so the packed routines' pairs and their odd last pixel
// both meet it. The flags carry no packed bit: each example runs both ways.
TEST(BlendExamples, EveryPixelOfEveryRectangle) {
    struct Example {
        const char* name;
        PxBlendFunction op;
        int32_t flags;
        uint32_t first, second, want;
    };
    const auto alpha = [](int32_t a, uint32_t want) {
        return Example{.name = "alpha",
                       .op = px_AlphaBlend,
                       .flags = a,
                       .first = bgr(255, 0, 77),
                       .second = bgr(0, 255, 200),
                       .want = want};
    };
    const Example examples[] = {
        {.name = "add saturates per channel",
         .op = px_AddBlend,
         .flags = 0,
         .first = bgr(200, 100, 50),
         .second = bgr(100, 100, 100),
         .want = bgr(255, 200, 150)},
        {.name = "subtract clamps at 0",
         .op = px_SubBlend,
         .flags = 0,
         .first = bgr(50, 100, 200),
         .second = bgr(100, 100, 100),
         .want = bgr(0, 0, 100)},
        {.name = "50 %: 255 and 0, 255 and 1, 1 and 0",
         .op = px_HalfBlend,
         .flags = 0,
         .first = bgr(255, 255, 1),
         .second = bgr(0, 1, 0),
         .want = bgr(127, 128, 0)},
        {.name = "50 % keeps channels apart",
         .op = px_HalfBlend,
         .flags = 0,
         .first = bgr(1, 1, 1),
         .second = bgr(1, 0, 1),
         .want = bgr(1, 0, 1)},
        // Alpha floors (c1 - c2) * alpha / 256, also below zero; 255 leaves the
        // first or one less, 0 gives the second, unused flag bits are ignored.
        alpha(128, bgr(127, 127, 138)),
        alpha(255, bgr(254, 0, 77)),
        alpha(0, bgr(0, 255, 200)),
        alpha(int32_t(0xFFFFFC00u) | 128, bgr(127, 127, 138)),
        {.name = "copy",
         .op = copyAsBlend,
         .flags = 0,
         .first = bgr(12, 34, 56),
         .second = bgr(255, 255, 255),
         .want = bgr(12, 34, 56)},
    };
    struct Size {
        int w, h;
    };
    // One pixel, an odd and an even count.
    const Size sizes[] = {{.w = 1, .h = 1}, {.w = 3, .h = 3}, {.w = 4, .h = 2}};
    for (const Example& e : examples)
        for (int32_t packed : {0, kPacked})
            for (const auto [w, h] : sizes) {
                SCOPED_TRACE(testing::Message() << e.name << " " << e.flags << (packed ? " packed " : " plain ") << w);
                Canvas s1(w, h, e.first);
                Canvas s2(w, h, e.second);
                Canvas dest(w, h, 0x00ABCDEF);
                EXPECT_EQ(call(e.op, dest, w, h, s1, s2, e.flags | packed), 0);
                for (int i = 0; i < w * h; ++i) ASSERT_EQ(dest.get(i % w, i / w), e.want) << i;
            }
}

// A size of 0 or less, or one whose block would wrap (12 bytes a pixel make
// 2^64 + 11936 for the last one) or cannot be had, returns 0 without drawing.
TEST(BlendExamples, SizesThatDrawNothing) {
    Canvas first(4, 4, bgr(1, 2, 3));
    Canvas second(4, 4, bgr(4, 5, 6));
    Canvas dest(4, 4, 0x00ABCDEF);
    struct Size {
        int32_t w, h;
    };
    const Size sizes[] = {
        {.w = 0, .h = 4},
        {.w = 4, .h = -3},
        {.w = 100000, .h = 100000},
        {.w = 715862424, .h = 2147380029},
    };
    for (PxBlendFunction op : {px_AddBlend, px_SubBlend, px_HalfBlend, px_AlphaBlend, copyAsBlend})
        for (const auto [w, h] : sizes)
            for (int32_t flags : {0, kPacked | PX_FLAG_KEY}) {
                EXPECT_EQ(call(op, dest, w, h, first, second, flags), 0);
                EXPECT_EQ(dest.get(0, 0), 0x00ABCDEFu) << w << " x " << h;
            }
}

// The blends take a platform colour 0x00BBGGRR and convert it, px_BitBlt
// compares its key as passed; a keyed pixel comes out black, the others blend
// as they would unkeyed.
TEST(BlendColourKey, ConvertedForBlendsComparedAsPassedForCopy) {
    constexpr uint32_t kRed = bgr(0, 0, 255);   // the pixel 0x00FF0000
    constexpr uint32_t kBlue = bgr(255, 0, 0);  // the pixel 0x000000FF
    // Key 0x000000FF names red as a platform colour and blue as a pixel. The
    // first source holds `marked` pixels among `other` ones.
    struct Case {
        const char* name;
        PxBlendFunction op;
        int32_t flags, key;
        uint32_t marked, other;
        bool keyedAway;
    };
    const Case cases[] = {
        {.name = "add keys red",
         .op = px_AddBlend,
         .flags = PX_FLAG_KEY,
         .key = 0x000000FF,
         .marked = kRed,
         .other = kBlue,
         .keyedAway = true},
        {.name = "alpha keys red",
         .op = px_AlphaBlend,
         .flags = PX_FLAG_KEY | 200,
         .key = 0x000000FF,
         .marked = kRed,
         .other = kBlue,
         .keyedAway = true},
        {.name = "copy keys blue",
         .op = copyAsBlend,
         .flags = PX_FLAG_KEY,
         .key = 0x000000FF,
         .marked = kBlue,
         .other = kRed,
         .keyedAway = true},
        {.name = "blends drop the key's high byte",
         .op = px_AddBlend,
         .flags = PX_FLAG_KEY,
         .key = int32_t(0xAB0000FFu),
         .marked = kRed,
         .other = kBlue,
         .keyedAway = true},
        {.name = "mixed channels convert",
         .op = px_HalfBlend,
         .flags = PX_FLAG_KEY,
         .key = 0x00112233,
         .marked = bgr(0x11, 0x22, 0x33),
         .other = kBlue,
         .keyedAway = true},
        {.name = "copy compares the X byte too",
         .op = copyAsBlend,
         .flags = PX_FLAG_KEY,
         .key = int32_t(0xFF0000FFu),
         .marked = kBlue,
         .other = kRed,
         .keyedAway = false},
        {.name = "without the key flag the key is ignored",
         .op = px_AddBlend,
         .flags = 0,
         .key = 0x000000FF,
         .marked = kRed,
         .other = kBlue,
         .keyedAway = false},
    };
    for (const Case& c : cases)
        for (int32_t packed : {0, kPacked}) {
            const auto& [name, op, flags, key, marked, other, keyedAway] = c;
            SCOPED_TRACE(testing::Message() << name << (packed ? " (packed)" : " (plain)"));
            // 5 x 3: marked pixels alone, in pairs and as the odd last pixel.
            Canvas first(5, 3, other);
            Canvas second(5, 3, bgr(40, 40, 40));
            Canvas dest(5, 3, 0x00FFFFFF);
            Canvas reference(5, 3);
            auto isMarked = [](int i) { return (i % 5 * 3 + i / 5) % 4 == 0 || i == 4; };
            for (int i = 0; i < 15; ++i)
                if (isMarked(i)) first.pixels[i] = marked | gditest::kOpaque;
            call(op, reference, 5, 3, first, second, (flags & ~PX_FLAG_KEY) | packed, key);
            call(op, dest, 5, 3, first, second, flags | packed, key);
            for (int i = 0; i < 15; ++i) {
                ASSERT_NE(reference.get(i % 5, i / 5), 0u) << "the case must tell a keyed pixel apart";
                EXPECT_EQ(dest.get(i % 5, i / 5), keyedAway && isMarked(i) ? 0u : reference.get(i % 5, i / 5)) << i;
            }
        }
}

// Sources and destination in one DC are all read before anything is written,
// the part of a source outside its DC reads as black, and the destination is
// clipped to its DC.
TEST(BlendRectangles, OverlapInOneDcAndEdges) {
    // Where the destination, the first and the second source start; all 6 x 5, an odd count.
    struct Case {
        int xd, yd, x1, y1, x2, y2;
    };
    const Case cases[] = {
        {.xd = 5, .yd = 5, .x1 = 5, .y1 = 5, .x2 = 6, .y2 = 4},
        {.xd = 6, .yd = 5, .x1 = 5, .y1 = 5, .x2 = 6, .y2 = 4},
        {.xd = 4, .yd = 5, .x1 = 5, .y1 = 5, .x2 = 6, .y2 = 4},
        {.xd = 5, .yd = 6, .x1 = 5, .y1 = 5, .x2 = 6, .y2 = 4},
        {.xd = 5, .yd = 4, .x1 = 5, .y1 = 5, .x2 = 6, .y2 = 4},
        {.xd = 7, .yd = 8, .x1 = 5, .y1 = 5, .x2 = 6, .y2 = 4},
        // Overlapping both sources.
        {.xd = 2, .yd = 3, .x1 = 5, .y1 = 5, .x2 = 6, .y2 = 4},
        // The destination over the edges.
        {.xd = 12, .yd = 11, .x1 = 5, .y1 = 5, .x2 = 6, .y2 = 4},
        {.xd = -3, .yd = -2, .x1 = 5, .y1 = 5, .x2 = 6, .y2 = 4},
        // The sources over the edges.
        {.xd = 5, .yd = 5, .x1 = -3, .y1 = -2, .x2 = 13, .y2 = 12},
    };
    for (const auto& [xd, yd, x1, y1, x2, y2] : cases)
        for (int32_t packed : {0, kPacked}) {
            SCOPED_TRACE(testing::Message() << xd << "," << yd << " " << x1 << "," << y1 << " " << x2 << "," << y2
                                            << (packed ? " packed" : " plain"));
            Canvas pic(16, 14);
            pic.fillPattern(6);
            const std::vector<uint32_t> before = pic.snapshot();
            auto old = [&](int x, int y, int s) {
                return x < 0 || y < 0 || x >= 16 || y >= 14 ? 0u : (before[y * 16 + x] >> s) & 0xFF;
            };
            px_AddBlend(pic.dc, xd, yd, 6, 5, pic.dc, x1, y1, pic.dc, x2, y2, packed, 0);
            for (int y = 0; y < 14; ++y)
                for (int x = 0; x < 16; ++x) {
                    const int i = x - xd;
                    const int j = y - yd;
                    uint32_t want = 0;
                    for (int s = 0; s < 24; s += 8)
                        want |= (i >= 0 && i < 6 && j >= 0 && j < 5
                                     ? std::min(255u, old(x1 + i, y1 + j, s) + old(x2 + i, y2 + j, s))
                                     : old(x, y, s))
                                << s;
                    ASSERT_EQ(pic.get(x, y), want) << x << "," << y;
                }
        }
}

}  // namespace
