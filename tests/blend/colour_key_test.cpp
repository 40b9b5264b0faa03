// The colour key: the blends take a platform colour 0x00BBGGRR and convert it,
// px_BitBlt compares its key as passed; a keyed pixel comes out black.
#include <gtest/gtest.h>

#include "blend_canvas.h"

using namespace blendtest;

namespace {

constexpr uint32_t kRed = bgr(0, 0, 255);   // pixel 0x00FF0000
constexpr uint32_t kBlue = bgr(255, 0, 0);  // pixel 0x000000FF

struct KeyCase {
    const char* name;
    Op op;
    int32_t flags;
    int32_t key;
    uint32_t first, second;
    bool keyedAway;
};

const KeyCase kCases[] = {
    // Key 0x000000FF names red as a platform colour: the blends key red ...
    {"add keys red", Op::Add, PX_FLAG_KEY, 0x000000FF, kRed, bgr(40, 40, 40), true},
    {"add leaves blue", Op::Add, PX_FLAG_KEY, 0x000000FF, kBlue, bgr(40, 40, 40), false},
    {"subtract keys red", Op::Sub, PX_FLAG_KEY, 0x000000FF, kRed, bgr(0, 0, 0), true},
    {"50 % keys red", Op::Half, PX_FLAG_KEY, 0x000000FF, kRed, bgr(255, 255, 255), true},
    {"alpha keys red", Op::Alpha, PX_FLAG_KEY | 200, 0x000000FF, kRed, bgr(9, 9, 9), true},
    {"alpha leaves blue", Op::Alpha, PX_FLAG_KEY | 200, 0x000000FF, kBlue, bgr(9, 9, 9), false},
    // ... while the copy compares the pixel value and keys blue.
    {"copy keys blue", Op::Copy, PX_FLAG_KEY, 0x000000FF, kBlue, 0, true},
    {"copy leaves red", Op::Copy, PX_FLAG_KEY, 0x000000FF, kRed, 0, false},
    {"blends drop the key's high byte", Op::Add, PX_FLAG_KEY, int32_t(0xAB0000FFu), kRed, bgr(1, 2, 3), true},
    {"copy compares the whole pixel, X byte too", Op::Copy, PX_FLAG_KEY, int32_t(0xFF0000FFu), kBlue, 0, false},
    {"mixed channels convert", Op::Half, PX_FLAG_KEY, 0x00112233, bgr(0x11, 0x22, 0x33), bgr(0, 0, 0), true},
    {"without the key flag the key is ignored", Op::Add, 0, 0x000000FF, kRed, bgr(40, 40, 40), false},
    {"copy without the key flag", Op::Copy, 0, 0x000000FF, kBlue, 0, false},
};

uint32_t unkeyed(const KeyCase& c) {
    Canvas first(1, 1, c.first), second(1, 1, c.second), dest(1, 1);
    callWhole(c.op, dest, first, second, c.flags & ~PX_FLAG_KEY, c.key);
    return dest.get(0, 0);
}

TEST(BlendColourKey, ConvertedForBlendsComparedAsPassedForCopy) {
    for (const auto& c : kCases) {
        for (int32_t packed : {0, kPacked}) {
            // 3 x 3: pairs and the odd last pixel both meet the key.
            SCOPED_TRACE(testing::Message() << c.name << (packed ? " (packed)" : " (plain)"));
            const uint32_t want = c.keyedAway ? 0 : unkeyed(c);
            if (!c.keyedAway) {
                EXPECT_NE(want, 0u) << "the case must tell a keyed pixel apart";
            }
            Canvas first(3, 3, c.first), second(3, 3, c.second), dest(3, 3, 0x00FFFFFF);
            callWhole(c.op, dest, first, second, c.flags | packed, c.key);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 3; ++x) EXPECT_EQ(dest.get(x, y), want) << x << "," << y;
        }
    }
}

// Keyed and unkeyed pixels side by side: the keyed ones are black whatever the
// second source and the destination held, the others blend as usual.
TEST(BlendColourKey, OnlyKeyedPixelsTurnBlack) {
    for (Op op : {Op::Add, Op::Sub, Op::Half, Op::Alpha, Op::Copy}) {
        for (int32_t packed : {0, kPacked}) {
            SCOPED_TRACE(testing::Message() << name(op) << (packed ? " packed" : " plain"));
            const int32_t key = op == Op::Copy ? int32_t(kBlue) : 0x00FF0000;  // blue both ways
            Canvas first(5, 3), second(5, 3), dest(5, 3, 0x00FFFFFF), reference(5, 3);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x) {
                    bool keyed = (x * 3 + y) % 4 == 0 || (x == 4 && y == 0);
                    first.set(x, y, keyed ? kBlue : bgr(uint32_t(30 * x), uint32_t(60 * y), 90));
                    second.set(x, y, bgr(255, uint32_t(17 * x), uint32_t(40 * y)));
                }
            const int32_t flags = packed | (op == Op::Alpha ? 128 : 0);
            callWhole(op, reference, first, second, flags, key);
            callWhole(op, dest, first, second, flags | PX_FLAG_KEY, key);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x) {
                    bool keyed = (x * 3 + y) % 4 == 0 || (x == 4 && y == 0);
                    EXPECT_EQ(dest.get(x, y), keyed ? 0u : reference.get(x, y)) << x << "," << y;
                }
        }
    }
}

}  // namespace
