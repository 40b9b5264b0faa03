// Where the rectangles land: sources and destination in one DC are all read
// before anything is written, the part of a source outside its DC reads as
// black, and the destination is clipped to its DC.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "blend_canvas.h"

using namespace blendtest;

namespace {

TEST(BlendRectangles, OverlapInOneDcAndEdges) {
    struct Place {
        int xd, yd, x1, y1, x2, y2;
    };
    const Place cases[] = {
        {5, 5, 5, 5, 6, 4},     {6, 5, 5, 5, 6, 4},   {4, 5, 5, 5, 6, 4}, {5, 6, 5, 5, 6, 4},
        {5, 4, 5, 5, 6, 4},     {7, 8, 5, 5, 6, 4},   {2, 3, 5, 5, 6, 4},  // overlapping both sources
        {12, 11, 5, 5, 6, 4},   {-3, -2, 5, 5, 6, 4},                      // destination over the edges
        {5, 5, -3, -2, 13, 12},                                            // sources over the edges
    };
    std::mt19937 rng(6);
    auto addColours = [](uint32_t a, uint32_t b) {
        uint32_t out = 0;
        for (int s = 0; s < 24; s += 8) out |= std::min(255u, ((a >> s) & 0xFF) + ((b >> s) & 0xFF)) << s;
        return out;
    };
    for (const auto& c : cases)
        for (int32_t packed : {0, kPacked}) {
            SCOPED_TRACE(testing::Message() << "to " << c.xd << "," << c.yd << " from " << c.x1 << "," << c.y1
                                            << " and " << c.x2 << "," << c.y2 << (packed ? " packed" : " plain"));
            Canvas pic(16, 14);
            std::vector<uint32_t> before;
            for (int i = 0; i < 16 * 14; ++i) {
                before.push_back(rng() & 0xFFFFFF);
                pic.set(i % 16, i / 16, before.back());
            }
            auto old = [&](int x, int y) { return x < 0 || y < 0 || x >= 16 || y >= 14 ? 0u : before[y * 16 + x]; };
            // Both sources 6 x 5: an odd count.
            px_AddBlend(pic.hdc(), c.xd, c.yd, 6, 5, pic.hdc(), c.x1, c.y1, pic.hdc(), c.x2, c.y2, packed, 0);
            for (int y = 0; y < 14; ++y)
                for (int x = 0; x < 16; ++x) {
                    const int i = x - c.xd, j = y - c.yd;
                    const bool inside = i >= 0 && i < 6 && j >= 0 && j < 5;
                    ASSERT_EQ(pic.get(x, y),
                              inside ? addColours(old(c.x1 + i, c.y1 + j), old(c.x2 + i, c.y2 + j)) : old(x, y))
                        << x << "," << y;
                }
        }
}

}  // namespace
