// The colour key: the blends take a platform colour 0x00BBGGRR and convert it,
// px_BitBlt compares its key as passed; a keyed pixel comes out black, the
// others blend as they would unkeyed.
#include <gtest/gtest.h>

#include "blend_canvas.h"

using namespace blendtest;

namespace {

constexpr uint32_t kRed = bgr(0, 0, 255);   // pixel 0x00FF0000
constexpr uint32_t kBlue = bgr(255, 0, 0);  // pixel 0x000000FF

TEST(BlendColourKey, ConvertedForBlendsComparedAsPassedForCopy) {
    struct KeyCase {
        const char* name;
        PxBlendFunction op;
        int32_t flags;
        int32_t key;
        uint32_t marked, other;  // the first source's two colours
        bool keyedAway;          // whether the marked pixels are keyed
    };
    // Key 0x000000FF names red as a platform colour and blue as a pixel.
    const KeyCase cases[] = {
        {"add keys red", px_AddBlend, PX_FLAG_KEY, 0x000000FF, kRed, kBlue, true},
        {"alpha keys red", px_AlphaBlend, PX_FLAG_KEY | 200, 0x000000FF, kRed, kBlue, true},
        {"copy keys blue", copyAsBlend, PX_FLAG_KEY, 0x000000FF, kBlue, kRed, true},
        {"blends drop the key's high byte", px_AddBlend, PX_FLAG_KEY, int32_t(0xAB0000FFu), kRed, kBlue, true},
        {"mixed channels convert", px_HalfBlend, PX_FLAG_KEY, 0x00112233, bgr(0x11, 0x22, 0x33), kBlue, true},
        {"copy compares the whole pixel, X byte too", copyAsBlend, PX_FLAG_KEY, int32_t(0xFF0000FFu), kBlue, kRed,
         false},
        {"without the key flag the key is ignored", px_AddBlend, 0, 0x000000FF, kRed, kBlue, false},
    };
    for (const auto& c : cases)
        for (int32_t packed : {0, kPacked}) {
            SCOPED_TRACE(testing::Message() << c.name << (packed ? " (packed)" : " (plain)"));
            // 5 x 3: marked pixels alone, in pairs and as the odd last pixel.
            Canvas first(5, 3, c.other), second(5, 3, bgr(40, 40, 40)), dest(5, 3, 0x00FFFFFF), reference(5, 3);
            auto marked = [](int x, int y) { return (x * 3 + y) % 4 == 0 || (x == 4 && y == 0); };
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x)
                    if (marked(x, y)) first.set(x, y, c.marked);
            call(c.op, reference, 5, 3, first, second, (c.flags & ~PX_FLAG_KEY) | packed, c.key);
            call(c.op, dest, 5, 3, first, second, c.flags | packed, c.key);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x) {
                    ASSERT_NE(reference.get(x, y), 0u) << "the case must tell a keyed pixel apart";
                    EXPECT_EQ(dest.get(x, y), c.keyedAway && marked(x, y) ? 0u : reference.get(x, y)) << x << "," << y;
                }
        }
}

}  // namespace
