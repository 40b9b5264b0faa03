// Plain and packed routines agree on every colour byte, through the exports on
// random rectangles of odd and even sizes, keyed and not.
#include <gtest/gtest.h>

#include <random>

#include "blend_canvas.h"

using namespace blendtest;

namespace {

constexpr int32_t kKey = 0x00336699;           // platform colour 0x00BBGGRR
constexpr uint32_t kKeyAsPixel = 0x00996633u;  // what the blends compare with

TEST(BlendPlainPacked, AgreeOnRandomRectangles) {
    std::mt19937 rng(20240611);
    const Op ops[] = {Op::Add, Op::Sub, Op::Half, Op::Copy, Op::Alpha};
    int odd = 0, even = 0;
    for (Op op : ops) {
        for (int32_t keyed : {0, kKeyed}) {
            for (int round = 0; round < 40; ++round) {
                const int w = 1 + int(rng() % 40), h = 1 + int(rng() % 40);
                ((w * h) % 2 ? odd : even)++;
                Canvas first(48, 44), second(48, 44);
                first.randomise(rng);
                second.randomise(rng);
                // Sprinkle key pixels, alone and in pairs, so both lanes of a
                // packed pair meet the key with and without the other.
                for (int k = 0; k < 200; ++k)
                    first.set(int(rng() % 48), int(rng() % 44), op == Op::Copy ? uint32_t(kKey) : kKeyAsPixel);
                const int x1 = int(rng() % (49 - w)), y1 = int(rng() % (45 - h));
                const int x2 = int(rng() % (49 - w)), y2 = int(rng() % (45 - h));
                const int32_t flags = keyed | int32_t(rng() % 256);

                Canvas plainOut(w, h, 0x00FFFFFF), packedOut(w, h, 0x00FFFFFF);
                call(op, plainOut, 0, 0, w, h, first, x1, y1, second, x2, y2, flags, kKey);
                call(op, packedOut, 0, 0, w, h, first, x1, y1, second, x2, y2, flags | PX_FLAG_MMX, kKey);
                ASSERT_EQ(plainOut.snapshot(), packedOut.snapshot())
                    << name(op) << (keyed ? " keyed " : " ") << w << "x" << h << " round " << round;
            }
        }
    }
    EXPECT_GT(odd, 20);
    EXPECT_GT(even, 20);
}

}  // namespace
