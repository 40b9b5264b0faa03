// drawStatus: the gauges' rows and colours, their random flicker, EXPERT, and
// the score and level numbers cut from the digit strip.
#include <string>
#include <vector>

#include "render_fixture.h"

namespace {

using namespace render_test;

constexpr Color kFrame = rgb(200, 200, 200);
constexpr Color kWell = rgb(30, 30, 50);
constexpr Color kMark = rgb(140, 140, 140);
constexpr Color kDark = rgb(0, 160, 23);
constexpr Color kLight = rgb(0, 240, 46);
constexpr Color kFreezeWell = rgb(40, 23, 24);
constexpr Color kFreezeFill = rgb(234, 12, 43);

class RenderStatus : public RenderFixture {
protected:
    void SetUp() override {
        RenderFixture::SetUp();
        g.f.difficulty = 2;
        g.f.gauge = 0;
        g.f.freezeTimer = 0;
    }
    // drawStatus alone, over a black back buffer; returns the random draws it made.
    uint64_t draw(const std::vector<float>& queued = {}) {
        g.f.picSUB.cls();
        g.f.rnd.queue(queued);
        const auto before = g.f.rnd.draws();
        g.f.drawStatus();
        return g.f.rnd.draws() - before;
    }
    Color left(int y) const { return g.f.picSUB.pixel(5, y); }
    Color right(int y) const { return g.f.picSUB.pixel(344, y); }
};

TEST_F(RenderStatus, LeftGaugeFillRowsAndShades) {
    struct Case {
        int gauge;
        int lastFilled;  // 24: nothing filled
        Color shade;
        uint64_t draws;
    };
    const Case cases[] = {{0, 24, kWell, 0},      {-5, 24, kWell, 0},     {1, 25, kDark, 0},
                          {24, 48, kDark, 0},     {25, 49, kLight, 0},    {49, 73, kLight, 0},
                          {74, 98, kDark, 3},     {299, 323, kLight, 15}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "gauge " << c.gauge);
        g.f.gauge = c.gauge;
        EXPECT_EQ(draw(), c.draws);
        EXPECT_EQ(left(24), kFrame);
        EXPECT_EQ(left(326), kFrame);
        EXPECT_EQ(g.f.picSUB.pixel(2, 200), kFrame);
        EXPECT_EQ(g.f.picSUB.pixel(8, 201), kFrame);
        EXPECT_EQ(g.f.picSUB.pixel(1, 200), kBlack);
        if (c.lastFilled > 24) {
            EXPECT_EQ(left(c.lastFilled), c.shade);
        }
        EXPECT_EQ(left(c.lastFilled + 1), kWell);
        EXPECT_EQ(left(325), c.lastFilled == 325 ? c.shade : kWell);
        for (int y : {75, 125, 175, 225, 275}) EXPECT_EQ(g.f.picSUB.pixel(3, y), kMark) << y;
    }
}

TEST_F(RenderStatus, CompletedBandsFlickerLowestOnTop) {
    // 0.375 x 140 = 52.5 rounds to the even 52; 0.5 x 155 + 100 = 177.5 to 178.
    const Color band1 = rgb(52, 178, 52);
    g.f.gauge = 50;
    EXPECT_EQ(draw({0.375f, 0.5f, 0.375f}), 3u);
    EXPECT_EQ(left(25), band1);
    EXPECT_EQ(left(74), band1);
    EXPECT_EQ(left(75), kMark);
    EXPECT_EQ(left(76), kWell);

    // Drawn k = 5, 4, 3, 2, 1: the draws for band 5 come first.
    std::vector<float> draws;
    for (int k = 5; k >= 1; --k) draws.insert(draws.end(), {0.0f, k / 10.0f, 1.0f - 1.0f / 64});
    g.f.gauge = 299;
    EXPECT_EQ(draw(draws), 15u);
    auto bandColour = [](int k) {
        return rgb(0, game::roundHalfEven(static_cast<float>(k / 10.0f) * 155.0 + 100),
                   game::roundHalfEven((1.0 - 1.0 / 64) * 140));
    };
    EXPECT_EQ(left(25), bandColour(1));
    EXPECT_EQ(left(74), bandColour(1));
    EXPECT_EQ(left(76), bandColour(2));
    EXPECT_EQ(left(124), bandColour(2));
    EXPECT_EQ(left(126), bandColour(3));
    EXPECT_EQ(left(176), bandColour(4));
    EXPECT_EQ(left(274), bandColour(5));
    EXPECT_EQ(left(276), kLight);
    EXPECT_EQ(left(323), kLight);
    EXPECT_EQ(left(324), kWell);
}

TEST_F(RenderStatus, FullGaugesFlickerInOneColour) {
    // 0.125 x 100 + 154 = 166.5 rounds to 166; 0.5 x 155 + 100 = 177.5 to 178.
    g.f.gauge = 300;
    g.f.freezeTimer = 300;
    EXPECT_EQ(draw({0.125f, 0.5f}), 2u);
    for (int y : {25, 200, 325}) {
        EXPECT_EQ(left(y), rgb(0, 166, 23)) << y;
        EXPECT_EQ(right(y), rgb(178, 12, 43)) << y;
    }
    EXPECT_EQ(left(175), kMark);
    EXPECT_EQ(right(175), rgb(178, 12, 43)) << "the right gauge has no marks";
}

TEST_F(RenderStatus, FreezeGaugeOnlyWhileFrozen) {
    struct Case {
        int timer;
        int lastFilled;  // 0: no gauge at all
    };
    const Case cases[] = {{0, 0}, {-3, 0}, {1, 26}, {150, 175}, {299, 324}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "freezeTimer " << c.timer);
        g.f.freezeTimer = c.timer;
        EXPECT_EQ(draw(), 0u);
        if (c.lastFilled == 0) {
            for (int y = 20; y < 330; ++y) {
                ASSERT_EQ(right(y), kBlack) << y;
                ASSERT_EQ(g.f.picSUB.pixel(341, y), kBlack) << y;
            }
            continue;
        }
        EXPECT_EQ(g.f.picSUB.pixel(341, 24), kFrame);
        EXPECT_EQ(g.f.picSUB.pixel(347, 326), kFrame);
        EXPECT_EQ(g.f.picSUB.pixel(348, 200), kBlack);
        EXPECT_EQ(right(25), kFreezeFill);
        EXPECT_EQ(right(c.lastFilled), kFreezeFill);
        EXPECT_EQ(right(c.lastFilled + 1), kFreezeWell);
    }
}

TEST_F(RenderStatus, ExpertHasNoGaugesButNumbers) {
    g.f.difficulty = 4;
    g.f.gauge = 300;
    g.f.freezeTimer = 300;
    EXPECT_EQ(draw(), 0u);
    for (int y = 20; y < 330; ++y) {
        ASSERT_EQ(left(y), kBlack) << y;
        ASSERT_EQ(right(y), kBlack) << y;
    }
    QImage strip = solid(187, 30, kBlack);
    fillRect(strip, 0, 0, 187, 15, rgb(1, 2, 3));
    g.f.picNum.setPicture(strip);
    draw();
    EXPECT_EQ(g.f.picSUB.pixel(30, 2), rgb(1, 2, 3));
    EXPECT_EQ(g.f.picSUB.pixel(264, 2), rgb(1, 2, 3));
}

// Digit strip: digit d solid in its own colour, the labels in theirs, a
// transparent gap column after each piece; the mask row is black under every
// piece.
class RenderNumbers : public RenderStatus {
protected:
    static Color digitColour(int d) { return rgb(20 + 20 * d, 100, 7); }
    void SetUp() override {
        RenderStatus::SetUp();
        g.f.difficulty = 4;
        QImage strip = solid(187, 30, kWhite);
        for (int d = 0; d < 10; ++d) {
            fillRect(strip, 11 * d, 0, 10, 15, digitColour(d));
            fillRect(strip, 11 * d, 15, 10, 15, kBlack);
        }
        fillRect(strip, 111, 0, 48, 15, scoreLabel);
        fillRect(strip, 111, 15, 48, 15, kBlack);
        fillRect(strip, 162, 0, 24, 15, levelLabel);
        fillRect(strip, 162, 15, 24, 15, kBlack);
        g.f.picNum.setPicture(strip);
    }
    // The digits shown from x0 on, read from each cell's middle.
    std::string shown(int x0) const {
        std::string text;
        for (int x = x0; x < game::kPlaySize; x += 11) {
            const Color c = g.f.picSUB.pixel(x + 5, 9);
            int digit = -1;
            for (int d = 0; d < 10; ++d)
                if (c == digitColour(d)) digit = d;
            if (digit < 0) break;
            EXPECT_EQ(g.f.picSUB.pixel(x + 10, 9), kBlack) << "gap column at " << x + 10;
            EXPECT_EQ(g.f.picSUB.pixel(x, 2), c);
            EXPECT_EQ(g.f.picSUB.pixel(x, 16), c);
            EXPECT_EQ(g.f.picSUB.pixel(x, 17), kBlack);
            text += char('0' + digit);
        }
        return text;
    }
    const Color scoreLabel = rgb(1, 2, 250), levelLabel = rgb(3, 250, 4);
};

TEST_F(RenderNumbers, ScoreIsShownInTens) {
    struct Case {
        int32_t score;
        std::string text;
    };
    const Case cases[] = {{0, "0"}, {7, "70"}, {12, "120"}, {1000, "10000"}, {-5, "0"},
                          {2147483647, "21474836470"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "score " << c.score);
        g.f.score = c.score;
        draw();
        EXPECT_EQ(g.f.picSUB.pixel(30, 2), scoreLabel);
        EXPECT_EQ(g.f.picSUB.pixel(77, 16), scoreLabel);
        EXPECT_EQ(g.f.picSUB.pixel(79, 9), kBlack);
        EXPECT_EQ(shown(80), c.text);
    }
}

TEST_F(RenderNumbers, LevelDigitsFollowTheLabel) {
    struct Case {
        int32_t level;
        std::string text;
    };
    const Case cases[] = {{1, "1"}, {10, "10"}, {9999, "9999"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level);
        g.f.level = c.level;
        draw();
        EXPECT_EQ(g.f.picSUB.pixel(264, 2), levelLabel);
        EXPECT_EQ(g.f.picSUB.pixel(287, 16), levelLabel);
        EXPECT_EQ(shown(291), c.text);
    }
    // 9999: the last digit stands at x 324.
    EXPECT_EQ(g.f.picSUB.pixel(324, 9), digitColour(9));
    EXPECT_EQ(g.f.picSUB.pixel(323, 9), kBlack);
    EXPECT_EQ(g.f.picSUB.pixel(335, 9), kBlack);
}

}  // namespace
