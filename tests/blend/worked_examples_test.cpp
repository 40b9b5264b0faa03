// The worked examples of every operation, plain and packed, over rectangles of
// one, an odd and an even number of pixels, so the packed routines' pairs and
// their odd last pixel both meet each example.
#include <gtest/gtest.h>

#include "blend_canvas.h"

using namespace blendtest;

namespace {

TEST(BlendExamples, EveryPixelOfEveryRectangle) {
    struct Example {
        const char* name;
        PxBlendFunction op;
        int32_t flags;  // without the packed bit: each example runs both ways
        uint32_t first, second, want;
    };
    const Example examples[] = {
        {"add saturates per channel", px_AddBlend, 0, bgr(200, 100, 50), bgr(100, 100, 100), bgr(255, 200, 150)},
        {"subtract clamps at 0", px_SubBlend, 0, bgr(50, 100, 200), bgr(100, 100, 100), bgr(0, 0, 100)},
        {"50 %: 255 and 0, 255 and 1, 1 and 0", px_HalfBlend, 0, bgr(255, 255, 1), bgr(0, 1, 0), bgr(127, 128, 0)},
        {"50 % keeps channels apart", px_HalfBlend, 0, bgr(1, 1, 1), bgr(1, 0, 1), bgr(1, 0, 1)},
        // Alpha floors (c1 - c2) * alpha / 256, also below zero.
        {"alpha 128", px_AlphaBlend, 128, bgr(255, 0, 77), bgr(0, 255, 200), bgr(127, 127, 138)},
        {"alpha 255 leaves the first or one less", px_AlphaBlend, 255, bgr(255, 0, 77), bgr(0, 255, 200),
         bgr(254, 0, 77)},
        {"alpha 0 gives the second", px_AlphaBlend, 0, bgr(255, 0, 77), bgr(0, 255, 200), bgr(0, 255, 200)},
        {"copy", copyAsBlend, 0, bgr(12, 34, 56), bgr(255, 255, 255), bgr(12, 34, 56)},
        {"unused flag bits are ignored", px_AlphaBlend, int32_t(0xFFFFFC00u) | 128, bgr(255, 0, 77), bgr(0, 255, 200),
         bgr(127, 127, 138)},
    };
    for (const auto& e : examples)
        for (int32_t packed : {0, kPacked})
            for (auto [w, h] : {std::pair{1, 1}, {3, 3}, {4, 2}}) {
                SCOPED_TRACE(testing::Message() << e.name << (packed ? ", packed, " : ", plain, ") << w << "x" << h);
                Canvas first(w, h, e.first), second(w, h, e.second), dest(w, h, 0x00ABCDEF);
                EXPECT_EQ(call(e.op, dest, w, h, first, second, e.flags | packed), 0);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) ASSERT_EQ(dest.get(x, y), e.want) << x << "," << y;
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

}  // namespace
