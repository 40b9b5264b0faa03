// Sources and destination in one DC: both sources are read before anything is
// written, and every pixel lands where its sources were.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "blend_canvas.h"

using namespace blendtest;

namespace {

uint32_t addColours(uint32_t a, uint32_t b) {
    uint32_t out = 0;
    for (int s = 0; s < 24; s += 8) out |= std::min(255u, ((a >> s) & 0xFF) + ((b >> s) & 0xFF)) << s;
    return out;
}

TEST(BlendOverlap, OneRectangleAsBothSources) {
    struct Same {
        Op op;
        int32_t flags;
        uint32_t (*want)(uint32_t);
    };
    const Same cases[] = {
        {Op::Add, 0, [](uint32_t c) { return addColours(c, c); }},
        {Op::Half, 0, [](uint32_t c) { return c; }},
        {Op::Sub, 0, [](uint32_t) { return 0u; }},
        {Op::Alpha, 77, [](uint32_t c) { return c; }},
        {Op::Copy, 0, [](uint32_t c) { return c; }},
    };
    std::mt19937 rng(5);
    for (const auto& c : cases) {
        for (int32_t packed : {0, kPacked}) {
            SCOPED_TRACE(testing::Message() << name(c.op) << (packed ? " packed" : " plain"));
            Canvas pic(9, 7);
            pic.randomise(rng);
            const auto before = pic.snapshot();
            call(c.op, pic, 2, 1, 5, 5, pic, 2, 1, pic, 2, 1, c.flags | packed, 0);
            for (int y = 0; y < 7; ++y)
                for (int x = 0; x < 9; ++x) {
                    const uint32_t old = before[y * 9 + x];
                    const bool inside = x >= 2 && x < 7 && y >= 1 && y < 6;
                    EXPECT_EQ(pic.get(x, y), inside ? c.want(old) : old) << x << "," << y;
                }
        }
    }
}

// The destination rectangle overlaps both sources, shifted each way; the
// result must be what the untouched picture gives.
TEST(BlendOverlap, DestinationOverlapsTheSources) {
    struct Shift {
        int dx, dy;
    };
    const Shift shifts[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {2, 3}, {-3, -2}, {1, -1}};
    std::mt19937 rng(6);
    for (const auto& s : shifts) {
        for (int32_t packed : {0, kPacked}) {
            SCOPED_TRACE(testing::Message() << "shift " << s.dx << "," << s.dy << (packed ? " packed" : " plain"));
            Canvas pic(16, 14);
            pic.randomise(rng);
            const auto before = pic.snapshot();
            // First source at (5, 5), second at (6, 4), both 6 x 5.
            const int xd = 5 + s.dx, yd = 5 + s.dy;
            px_AddBlend(pic.hdc(), xd, yd, 6, 5, pic.hdc(), 5, 5, pic.hdc(), 6, 4, packed, 0);
            for (int y = 0; y < 14; ++y)
                for (int x = 0; x < 16; ++x) {
                    uint32_t want = before[y * 16 + x];
                    const int i = x - xd, j = y - yd;
                    if (i >= 0 && i < 6 && j >= 0 && j < 5)
                        want = addColours(before[(5 + j) * 16 + 5 + i], before[(4 + j) * 16 + 6 + i]);
                    ASSERT_EQ(pic.get(x, y), want) << x << "," << y;
                }
        }
    }
}

}  // namespace
