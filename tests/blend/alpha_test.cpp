// The alpha blend over every pair of channel values at once: a 256 x 256
// picture whose first source runs along x and second along y.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "blend_canvas.h"

using namespace blendtest;

namespace {

int floorWeighted(int c1, int c2, int alpha) { return c2 + int(std::floor((c1 - c2) * alpha / 256.0)); }

TEST(BlendAlpha, EveryChannelPairAtTheEdgeAlphas) {
    // Blue: first x, second y. Green: first y, second x. Red: first x, second 255 - y.
    Canvas first(256, 256), second(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            first.set(x, y, bgr(uint32_t(x), uint32_t(y), uint32_t(x)));
            second.set(x, y, bgr(uint32_t(y), uint32_t(x), uint32_t(255 - y)));
        }
    for (int alpha : {0, 1, 127, 128, 129, 254, 255}) {
        for (int32_t packed : {0, kPacked}) {
            SCOPED_TRACE(testing::Message() << "alpha " << alpha << (packed ? " packed" : " plain"));
            Canvas dest(256, 256);
            callWhole(Op::Alpha, dest, first, second, packed | alpha);
            int wrong = 0;
            for (int y = 0; y < 256 && wrong < 5; ++y)
                for (int x = 0; x < 256 && wrong < 5; ++x) {
                    const uint32_t out = dest.get(x, y);
                    const int c1[3] = {x, y, x}, c2[3] = {y, x, 255 - y};
                    for (int ch = 0; ch < 3; ++ch) {
                        int got = int(out >> (8 * ch)) & 0xFF;
                        int want = floorWeighted(c1[ch], c2[ch], alpha);
                        bool between = got >= std::min(c1[ch], c2[ch]) && got <= std::max(c1[ch], c2[ch]);
                        if (got != want || !between || (alpha == 0 && got != c2[ch])) {
                            ++wrong;
                            ADD_FAILURE() << "channel " << ch << " c1 " << c1[ch] << " c2 " << c2[ch]
                                          << ": got " << got << ", want " << want;
                        }
                    }
                }
        }
    }
}

}  // namespace
