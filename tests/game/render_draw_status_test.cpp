// drawStatus: the gauges' rows, shades and flicker draws, none on EXPERT (the
// score and level digits are pinned by the whole-game pictures).
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "fake_services.h"

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
        std::tie(g.f.difficulty, g.f.gauge, g.f.freezeTimer) = std::tuple(difficulty, gauge, freeze);
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
        int freezeLast;
        Color freezeShade;
        uint64_t draws;
    } cases[] = {{0, 0, 24, kWell, 0, 0, 0},       {1, 1, 25, kDark, 26, kFreezeFill, 0},
                 {24, 0, 48, kDark, 0, 0, 0},      {25, 0, 49, kLight, 0, 0, 0},
                 {49, 0, 73, kLight, 0, 0, 0},     {50, 0, 74, kBand, 0, 0, 3},
                 {74, 299, 98, kDark, 324, kFreezeFill, 3}, {299, 0, 323, kLight, 0, 0, 15},
                 {300, 300, 325, rgb(0, 192, 23), 325, rgb(178, 12, 43), 2},  // one draw per full gauge
                 {0, 300, 24, kWell, 325, rgb(158, 12, 43), 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "gauge " << c.gauge << " freeze " << c.freeze);
        EXPECT_EQ(draw(2, c.gauge, c.freeze, draws), c.draws);
        g.f.rnd = game::Random();  // drop what is left of the queue
        EXPECT_TRUE(at(5, 24) == kFrame && at(2, 200) == kFrame && at(1, 200) == kBlack && at(3, 175) == kMark);
        EXPECT_EQ(at(5, std::max(c.lastFilled, 25)), c.lastFilled > 24 ? c.shade : kWell);
        // Bands are drawn from the top one down, so the first draws colour the top band and the lowest ends on top.
        EXPECT_TRUE(c.gauge != 299 || (at(5, 250) == kBand && at(5, 30) == rgb(0, 100, 0)));
        EXPECT_EQ(at(5, std::min(c.lastFilled + 1 + (c.lastFilled == 74), 326)),
                  c.lastFilled < 325 ? kWell : kFrame);  // 75: a mark
        for (int y = 20; y < 330 && c.freezeLast == 0; ++y) ASSERT_EQ(at(341, y), kBlack) << y;
        if (c.freezeLast == 0) continue;
        EXPECT_TRUE(at(347, 326) == kFrame && at(344, 25) == c.freezeShade && at(344, c.freezeLast) == c.freezeShade);
        EXPECT_EQ(at(344, 175), c.freezeLast >= 175 ? c.freezeShade : kFreezeWell) << "the right gauge has no marks";
        EXPECT_EQ(at(344, std::min(c.freezeLast + 1, 326)), c.freezeLast < 325 ? kFreezeWell : kFrame);
    }
    EXPECT_EQ(draw(4, 300, 300, {}), 0u);
    for (int y = 20; y < 330; ++y) ASSERT_TRUE(at(5, y) == kBlack && at(344, y) == kBlack) << "EXPERT, row " << y;
}

}  // namespace
