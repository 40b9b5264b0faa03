// SPDX-License-Identifier: GPL-3.0-or-later
// drawStatus: the gauges' rows, shades and flicker draws, none on EXPERT (the
// score and level digits are pinned by the whole-game pictures).
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "game_fixtures.h"

namespace {

using forms::Color;
using forms::rgb;
constexpr Color kBlack = rgb(0, 0, 0);

constexpr Color kFrame = rgb(200, 200, 200), kWell = rgb(30, 30, 50), kMark = rgb(140, 140, 140);
constexpr Color kDark = rgb(0, 160, 23), kLight = rgb(0, 240, 46);
constexpr Color kFreezeWell = rgb(40, 23, 24), kFreezeFill = rgb(234, 12, 43);
// 0.375 x 140 = 52.5 and 0.5 x 155 + 100 = 177.5, rounded half to even.
constexpr Color kBand = rgb(52, 178, 52);

class RenderStatus : public ::testing::Test {
protected:
    void SetUp() override { g.startUp(); }
    // drawStatus alone over a black back buffer; returns the random draws it made.
    uint64_t draw(int16_t difficulty, int gauge, int freeze, const std::vector<float>& queued) {
        g.f.difficulty = difficulty;
        g.f.gauge = gauge;
        g.f.freezeTimer = freeze;
        g.f.picSUB.cls();
        g.f.rnd.queue(queued);
        const auto before = g.f.rnd.draws();
        g.f.drawStatus();
        return g.f.rnd.draws() - before;
    }
    Color at(int x, int y) const { return g.f.picSUB.pixel(x, y); }
    fake::Game g;
};

TEST_F(RenderStatus, GaugeRowsShadesAndDraws) {
    const std::vector<float> draws = {0.375f, 0.5f, 0.375f, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    // The last row filled (24: none, 325: the whole well) in its shade, the same for
    // the freeze gauge (0: none), and the random draws made.
    struct Case {
        int gauge, freeze, lastFilled;
        Color shade;
        int freezeLast = 0;
        Color freezeShade = 0;
        uint64_t draws = 0;
    };
    const Case cases[] = {
        {.gauge = 0, .freeze = 0, .lastFilled = 24, .shade = kWell},
        {.gauge = 1, .freeze = 1, .lastFilled = 25, .shade = kDark, .freezeLast = 26, .freezeShade = kFreezeFill},
        {.gauge = 24, .freeze = 0, .lastFilled = 48, .shade = kDark},
        {.gauge = 25, .freeze = 0, .lastFilled = 49, .shade = kLight},
        {.gauge = 49, .freeze = 0, .lastFilled = 73, .shade = kLight},
        {.gauge = 50, .freeze = 0, .lastFilled = 74, .shade = kBand, .draws = 3},
        {.gauge = 74,
         .freeze = 299,
         .lastFilled = 98,
         .shade = kDark,
         .freezeLast = 324,
         .freezeShade = kFreezeFill,
         .draws = 3},
        {.gauge = 299, .freeze = 0, .lastFilled = 323, .shade = kLight, .draws = 15},
        // One draw per full gauge.
        {.gauge = 300,
         .freeze = 300,
         .lastFilled = 325,
         .shade = rgb(0, 192, 23),
         .freezeLast = 325,
         .freezeShade = rgb(178, 12, 43),
         .draws = 2},
        {.gauge = 0,
         .freeze = 300,
         .lastFilled = 24,
         .shade = kWell,
         .freezeLast = 325,
         .freezeShade = rgb(158, 12, 43),
         .draws = 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "gauge " << c.gauge << " freeze " << c.freeze);
        EXPECT_EQ(draw(2, c.gauge, c.freeze, draws), c.draws);
        g.f.rnd = game::Random();  // drop what is left of the queue
        EXPECT_EQ(at(5, 24), kFrame) << "the top of the frame";
        EXPECT_EQ(at(2, 200), kFrame) << "the left side of the frame";
        EXPECT_EQ(at(1, 200), kBlack) << "outside the frame";
        EXPECT_EQ(at(3, 175), kMark) << "the middle mark";
        EXPECT_EQ(at(5, std::max(c.lastFilled, 25)), c.lastFilled > 24 ? c.shade : kWell);
        // Bands are drawn from the top one down, so the first draws colour the top band and the lowest ends on top.
        if (c.gauge == 299) {
            EXPECT_EQ(at(5, 250), kBand);
            EXPECT_EQ(at(5, 30), rgb(0, 100, 0));
        }
        EXPECT_EQ(at(5, std::min(c.lastFilled + 1 + (c.lastFilled == 74), 326)),
                  c.lastFilled < 325 ? kWell : kFrame);  // 75: a mark
        for (int y = 20; y < 330 && c.freezeLast == 0; ++y) ASSERT_EQ(at(341, y), kBlack) << y;
        if (c.freezeLast == 0) continue;
        EXPECT_EQ(at(347, 326), kFrame) << "the freeze gauge's frame";
        EXPECT_EQ(at(344, 25), c.freezeShade) << "the freeze gauge's top row";
        EXPECT_EQ(at(344, c.freezeLast), c.freezeShade) << "the freeze gauge's last row";
        EXPECT_EQ(at(344, 175), c.freezeLast >= 175 ? c.freezeShade : kFreezeWell) << "the right gauge has no marks";
        EXPECT_EQ(at(344, std::min(c.freezeLast + 1, 326)), c.freezeLast < 325 ? kFreezeWell : kFrame);
    }
    EXPECT_EQ(draw(4, 300, 300, {}), 0u);
    for (int y = 20; y < 330; ++y) {
        ASSERT_EQ(at(5, y), kBlack) << "EXPERT, the left gauge's row " << y;
        ASSERT_EQ(at(344, y), kBlack) << "EXPERT, the right gauge's row " << y;
    }
}

}  // namespace
