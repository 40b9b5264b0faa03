// The exports of pxmix: the worked example of every operation plain and
// packed, the colour key, where the rectangles land, the sizes that draw
// nothing, and a plain C program driving them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>
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
    using Example = std::tuple<const char*, PxBlendFunction, int32_t, uint32_t, uint32_t, uint32_t>;
    const auto alpha = [](int32_t a, uint32_t want) {
        return Example{"alpha", px_AlphaBlend, a, bgr(255, 0, 77), bgr(0, 255, 200), want};
    };
    const Example examples[] = {
        {"add saturates per channel", px_AddBlend, 0, bgr(200, 100, 50), bgr(100, 100, 100), bgr(255, 200, 150)},
        {"subtract clamps at 0", px_SubBlend, 0, bgr(50, 100, 200), bgr(100, 100, 100), bgr(0, 0, 100)},
        {"50 %: 255 and 0, 255 and 1, 1 and 0", px_HalfBlend, 0, bgr(255, 255, 1), bgr(0, 1, 0), bgr(127, 128, 0)},
        {"50 % keeps channels apart", px_HalfBlend, 0, bgr(1, 1, 1), bgr(1, 0, 1), bgr(1, 0, 1)},
        // Alpha floors (c1 - c2) * alpha / 256, also below zero; 255 leaves the
        // first or one less, 0 gives the second, unused flag bits are ignored.
        alpha(128, bgr(127, 127, 138)),
        alpha(255, bgr(254, 0, 77)),
        alpha(0, bgr(0, 255, 200)),
        alpha(int32_t(0xFFFFFC00u) | 128, bgr(127, 127, 138)),
        {"copy", copyAsBlend, 0, bgr(12, 34, 56), bgr(255, 255, 255), bgr(12, 34, 56)}};
    for (const auto& [name, op, flags, first, second, want] : examples)
        for (int32_t packed : {0, kPacked})
            for (auto [w, h] : {std::pair{1, 1}, {3, 3}, {4, 2}}) {
                SCOPED_TRACE(testing::Message() << name << " " << flags << (packed ? " packed " : " plain ") << w);
                Canvas s1(w, h, first), s2(w, h, second), dest(w, h, 0x00ABCDEF);
                EXPECT_EQ(call(op, dest, w, h, s1, s2, flags | packed), 0);
                for (int i = 0; i < w * h; ++i) ASSERT_EQ(dest.get(i % w, i / w), want) << i;
            }
}

// A size of 0 or less, or one whose block would wrap (12 bytes a pixel make
// 2^64 + 11936 for the last one) or cannot be had, returns 0 without drawing.
TEST(BlendExamples, SizesThatDrawNothing) {
    Canvas first(4, 4, bgr(1, 2, 3)), second(4, 4, bgr(4, 5, 6)), dest(4, 4, 0x00ABCDEF);
    for (PxBlendFunction op : {px_AddBlend, px_SubBlend, px_HalfBlend, px_AlphaBlend, copyAsBlend})
        for (auto [w, h] : {std::pair{0, 4}, {4, -3}, {100000, 100000}, {715862424, 2147380029}})
            for (int32_t flags : {0, kPacked | PX_FLAG_KEY}) {
                EXPECT_EQ(call(op, dest, w, h, first, second, flags), 0);
                EXPECT_EQ(dest.get(0, 0), 0x00ABCDEFu) << w << " x " << h;
            }
}

// The blends take a platform colour 0x00BBGGRR and convert it, px_BitBlt
// compares its key as passed; a keyed pixel comes out black, the others blend
// as they would unkeyed.
TEST(BlendColourKey, ConvertedForBlendsComparedAsPassedForCopy) {
    constexpr uint32_t kRed = bgr(0, 0, 255), kBlue = bgr(255, 0, 0);  // pixels 0x00FF0000, 0x000000FF
    // Key 0x000000FF names red as a platform colour and blue as a pixel. The
    // first source holds `marked` pixels among `other` ones.
    const std::tuple<const char*, PxBlendFunction, int32_t, int32_t, uint32_t, uint32_t, bool> cases[] = {
        {"add keys red", px_AddBlend, PX_FLAG_KEY, 0x000000FF, kRed, kBlue, true},
        {"alpha keys red", px_AlphaBlend, PX_FLAG_KEY | 200, 0x000000FF, kRed, kBlue, true},
        {"copy keys blue", copyAsBlend, PX_FLAG_KEY, 0x000000FF, kBlue, kRed, true},
        {"blends drop the key's high byte", px_AddBlend, PX_FLAG_KEY, int32_t(0xAB0000FFu), kRed, kBlue, true},
        {"mixed channels convert", px_HalfBlend, PX_FLAG_KEY, 0x00112233, bgr(0x11, 0x22, 0x33), kBlue, true},
        {"copy compares the X byte too", copyAsBlend, PX_FLAG_KEY, int32_t(0xFF0000FFu), kBlue, kRed, false},
        {"without the key flag the key is ignored", px_AddBlend, 0, 0x000000FF, kRed, kBlue, false}};
    for (const auto& [name, op, flags, key, marked, other, keyedAway] : cases)
        for (int32_t packed : {0, kPacked}) {
            SCOPED_TRACE(testing::Message() << name << (packed ? " (packed)" : " (plain)"));
            // 5 x 3: marked pixels alone, in pairs and as the odd last pixel.
            Canvas first(5, 3, other), second(5, 3, bgr(40, 40, 40)), dest(5, 3, 0x00FFFFFF), reference(5, 3);
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
    // Destination, first and second source; both sources 6 x 5, an odd count.
    const std::array<int, 6> cases[] = {{5, 5, 5, 5, 6, 4},    {6, 5, 5, 5, 6, 4},   {4, 5, 5, 5, 6, 4},
                                        {5, 6, 5, 5, 6, 4},    {5, 4, 5, 5, 6, 4},   {7, 8, 5, 5, 6, 4},
                                        {2, 3, 5, 5, 6, 4},                           // overlapping both sources
                                        {12, 11, 5, 5, 6, 4},  {-3, -2, 5, 5, 6, 4},  // destination over the edges
                                        {5, 5, -3, -2, 13, 12}};                      // sources over the edges
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
                    const int i = x - xd, j = y - yd;
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
