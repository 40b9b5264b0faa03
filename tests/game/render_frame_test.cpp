// drawFrame: the layers, their sprite sources and positions, the blinking and
// hiding rules, the banner timer and the life of trail pieces.
#include <climits>
#include <vector>

#include "loader/blend_library.h"
#include "render_fixture.h"

namespace {

using namespace render_test;
using game::kFreeSlot;

class RenderFrame : public RenderFixture {};

// Heroine strip: each image frame is coloured except for a white middle, its
// mask black where the image is coloured; so the frame's edges are opaque and
// its middle shows the background.
TEST_F(RenderFrame, HeroineIsMaskedFromHerFrameAndLane) {
    const Color bg = rgb(10, 200, 30);
    setBackground(bg);
    QImage strip = solid(151, 48, kWhite);
    const auto& fx = g.f.heroFrameX;
    const Color colours[4] = {rgb(200, 0, 10), rgb(200, 40, 10), rgb(200, 80, 10), rgb(200, 120, 10)};
    for (int f = 0; f < 4; ++f) {
        const int w = fx[f + 1] - fx[f];
        fillRect(strip, fx[f], 0, 6, 47, colours[f]);
        fillRect(strip, fx[f] + w - 2, 0, 2, 47, colours[f]);
        fillRect(strip, fx[f + 4], 0, 6, 47, kBlack);
        fillRect(strip, fx[f + 4] + w - 2, 0, 2, 47, kBlack);
    }
    g.f.picRRK.setPicture(strip);

    for (int lane = 0; lane < 5; lane += 2) {
        for (int f = 0; f < 4; ++f) {
            SCOPED_TRACE(testing::Message() << "lane " << lane << " frame " << f);
            g.f.heroLane = static_cast<int16_t>(lane);
            g.f.heroFrame = static_cast<int16_t>(f);
            g.f.drawFrame();
            const int x = g.f.laneX[lane] - 9, w = fx[f + 1] - fx[f];
            EXPECT_EQ(main(x - 1, 20), bg);
            EXPECT_EQ(main(x, 20), colours[f]);
            EXPECT_EQ(main(x + 5, 5), colours[f]);
            EXPECT_EQ(main(x + 5, 51), colours[f]);
            EXPECT_EQ(main(x + 5, 52), bg);
            EXPECT_EQ(main(x + 7, 30), bg) << "white mask keeps the background";
            EXPECT_EQ(main(x + w - 1, 30), colours[f]);
            EXPECT_EQ(main(x + w, 30), bg);
        }
    }
}

// Enemy strip: frame 0 all black, frame 1 black in its top half only.
class RenderEnemies : public RenderFixture {
protected:
    void SetUp() override {
        RenderFixture::SetUp();
        setBackground(bg);
        QImage strip = solid(66, 47, kWhite);
        fillRect(strip, 0, 0, 32, 46, kBlack);
        fillRect(strip, 33, 0, 32, 23, kBlack);
        g.f.picTEKI.setPicture(strip);
    }
    void place(int slot, int lane, float y, int frame = 0, int turnState = 0) {
        g.f.enemyLane[slot] = static_cast<int16_t>(lane);
        g.f.enemyY[slot] = y;
        g.f.enemyFrame[slot] = static_cast<int16_t>(frame);
        g.f.enemyTurnState[slot] = static_cast<int16_t>(turnState);
    }
    bool drawnAt(int lane, int top) const {
        return main(g.f.laneX[lane] - 13 + 4, top + 4) == kBlack;
    }
    const Color bg = rgb(90, 90, 200);
};

TEST_F(RenderEnemies, HesitatingEnemiesBlinkEveryOtherFrame) {
    struct Case {
        int turnState;
        bool firstFrame, secondFrame;
    };
    const Case cases[] = {{0, true, true}, {1, true, true}, {2, false, true}, {3, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "turn state " << c.turnState);
        place(0, 1, 200, 0, c.turnState);
        g.f.blinkPhase = 0;
        g.f.drawFrame();
        EXPECT_EQ(g.f.blinkPhase, 1);
        EXPECT_EQ(drawnAt(1, 200), c.firstFrame);
        g.f.drawFrame();
        EXPECT_EQ(g.f.blinkPhase, 0);
        EXPECT_EQ(drawnAt(1, 200), c.secondFrame);
    }
}

TEST_F(RenderEnemies, PositionFrameAndSuddenModeHorizon) {
    struct Case {
        float y;
        int frame;
        bool sudden;
        int top;  // -1: not drawn
    };
    const Case cases[] = {
        {200.5f, 0, false, 200}, {201.5f, 0, false, 202}, {125.0f, 0, true, 125},
        {125.5f, 0, true, -1},   {125.5f, 0, false, 126}, {300.0f, 0, true, -1},
        {20.0f, 0, true, 20},    {200.0f, 1, false, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "y " << c.y << " frame " << c.frame << " sudden " << c.sudden);
        g.f.enemyLane.fill(kFreeSlot);
        place(7, 3, c.y, c.frame);
        g.f.mnulv[7].checked = c.sudden;
        g.f.drawFrame();
        const int x = g.f.laneX[3] - 13;
        if (c.top < 0) {
            for (int y = 0; y < game::kPlaySize; y += 5) ASSERT_NE(main(x + 4, y), kBlack) << y;
            continue;
        }
        EXPECT_EQ(main(x, c.top), kBlack);
        EXPECT_EQ(main(x + 31, c.top), kBlack);
        EXPECT_EQ(main(x - 1, c.top), bg);
        EXPECT_EQ(main(x + 32, c.top), bg);
        EXPECT_EQ(main(x + 4, c.top - 1), bg);
        EXPECT_EQ(main(x + 4, c.top + 22), kBlack);
        // Only frame 0 is black in its lower half.
        EXPECT_EQ(main(x + 4, c.top + 30), c.frame == 0 ? kBlack : bg);
        EXPECT_EQ(main(x + 4, c.top + 45), c.frame == 0 ? kBlack : bg);
        EXPECT_EQ(main(x + 4, c.top + 46), bg);
    }
}

// Additive sprites over a black background show their source pixels as they are.
class RenderGlow : public RenderFixture {
protected:
    void SetUp() override {
        RenderFixture::SetUp();
        g.f.picHRT.setPicture(coordinateStrip(52, 23));
        g.f.picEXP.setPicture(coordinateStrip(422, 105));
    }
    std::optional<Source> at(int x, int y) const { return decode(main(x, y)); }
    void expectSprite(int x, int y, int w, int h, Source src) {
        EXPECT_EQ(at(x, y), src);
        EXPECT_EQ(at(x + w - 1, y + h - 1), (Source{src.x + w - 1, src.y + h - 1}));
        EXPECT_EQ(main(x - 1, y), kBlack);
        EXPECT_EQ(main(x + w, y + h - 1), kBlack);
        EXPECT_EQ(main(x, y + h), kBlack);
    }
};

TEST_F(RenderGlow, ExplosionCellComesFromItsAge) {
    struct Case {
        int age;
        Source src;
    };
    const Case cases[] = {{0, {8, 8}},     {1, {60, 8}},    {6, {323, 8}}, {7, {375, 8}},
                          {8, {8, 60}},    {9, {60, 60}},   {15, {375, 60}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "age " << c.age);
        g.f.particleX[4] = 150;
        g.f.particleY[4] = 200;
        g.f.particleAge[4] = static_cast<int16_t>(c.age);
        g.f.drawFrame();
        expectSprite(134, 184, 38, 38, c.src);
    }
}

TEST_F(RenderGlow, ShotHeartJittersByOneDrawEach) {
    struct Case {
        float draw;
        float y;
        int dx, top;
    };
    const Case cases[] = {{0.0f, 100.0f, 0, 100}, {0.99f, 100.5f, 6, 100}, {0.5f, 101.5f, 3, 102},
                          {0.857f, 250.0f, 5, 250}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "draw " << c.draw << " y " << c.y);
        g.f.shotLane.fill(kFreeSlot);
        g.f.shotLane[12] = 2;
        g.f.shotY[12] = c.y;
        g.f.shotWave[12] = 0;
        g.f.rnd.queue({c.draw});
        const auto before = g.f.rnd.draws();
        g.f.drawFrame();
        EXPECT_EQ(g.f.rnd.draws() - before, 1u);
        expectSprite(g.f.laneX[2] - 12 + c.dx, c.top, 25, 22, Source{0, 0});
    }
}

TEST_F(RenderGlow, TrailPieceJitterDependsOnHeight) {
    struct Case {
        int16_t y;
        float d, sign;
        int dx;
    };
    // Below y 100 the spread is 11, from 100 on it is 8; a second draw above
    // 0.5 turns the offset to the left.
    const Case cases[] = {{99, 0.99f, 0.1f, 10},  {99, 0.99f, 0.6f, -10}, {100, 0.99f, 0.5f, 7},
                          {100, 0.99f, 0.51f, -7}, {250, 0.0f, 0.9f, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "y " << c.y << " draws " << c.d << ", " << c.sign);
        g.f.trailLane.fill(kFreeSlot);
        g.f.trailLane[30] = 2;
        g.f.trailY[30] = c.y;
        g.f.rnd.queue({c.d, c.sign});
        g.f.drawFrame();
        EXPECT_EQ(g.f.trailY[30], c.y - 16);
        expectSprite(g.f.laneX[2] - 12 + c.dx, c.y - 16, 25, 22, Source{26, 0});
    }
}

class RenderTrail : public RenderFixture {
protected:
    int liveTrail() const {
        int n = 0;
        for (int16_t lane : g.f.trailLane) n += lane != kFreeSlot;
        return n;
    }
};

TEST_F(RenderTrail, WaveShotDropsEveryThirdFrame) {
    g.f.shotLane[0] = 3;
    g.f.shotY[0] = 200.5f;
    g.f.shotWave[0] = 1;
    g.f.shotTrailFrames[0] = 0;
    // A straight shot never drops anything.
    g.f.shotLane[1] = 1;
    g.f.shotY[1] = 150;
    g.f.shotWave[1] = 0;

    const int counters[] = {1, 2, 0, 1, 2, 0};
    const int pieces[] = {0, 0, 1, 1, 1, 2};
    for (int frame = 0; frame < 6; ++frame) {
        SCOPED_TRACE(testing::Message() << "frame " << frame + 1);
        g.f.drawFrame();
        EXPECT_EQ(g.f.shotTrailFrames[0], counters[frame]);
        EXPECT_EQ(g.f.shotTrailFrames[1], 0);
        EXPECT_EQ(liveTrail(), pieces[frame]);
    }
    // round(200.5 - 12) = 188 (half to even), and each piece has risen in its
    // own frame already: the first three frames ago, the second just now.
    EXPECT_EQ(g.f.trailLane[0], 3);
    EXPECT_EQ(g.f.trailY[0], 188 - 16 * 4);
    EXPECT_EQ(g.f.trailLane[1], 3);
    EXPECT_EQ(g.f.trailY[1], 188 - 16);
}

TEST_F(RenderTrail, PieceIsFreedOnlyBelowMinus20) {
    g.f.trailLane[5] = 4;
    g.f.trailY[5] = -4;
    g.f.drawFrame();
    EXPECT_EQ(g.f.trailY[5], -20);
    EXPECT_EQ(g.f.trailLane[5], 4);
    g.f.drawFrame();
    EXPECT_EQ(g.f.trailY[5], -36);
    EXPECT_EQ(g.f.trailLane[5], kFreeSlot);
    // A free slot is not moved any more.
    g.f.drawFrame();
    EXPECT_EQ(g.f.trailY[5], -36);
}

TEST_F(RenderTrail, DropIntoLowestFreeSlotOrLoseIt) {
    g.f.trailLane.fill(0);
    g.f.trailY.fill(300);
    g.f.shotLane[2] = 1;
    g.f.shotY[2] = 100;
    g.f.shotWave[2] = 1;
    g.f.shotTrailFrames[2] = 2;
    g.f.drawFrame();
    EXPECT_EQ(g.f.shotTrailFrames[2], 0) << "the counter restarts even when the drop is lost";
    for (int t = 0; t < game::kTrailSlots; ++t) {
        EXPECT_EQ(g.f.trailLane[t], 0) << t;
        EXPECT_EQ(g.f.trailY[t], 284) << t;
    }

    g.f.trailLane[9] = g.f.trailLane[20] = kFreeSlot;
    g.f.shotTrailFrames[2] = 2;
    g.f.drawFrame();
    EXPECT_EQ(g.f.trailLane[9], 1);
    EXPECT_EQ(g.f.trailY[9], 100 - 12 - 16);
    EXPECT_EQ(g.f.trailLane[20], kFreeSlot);
}

class RenderBanner : public RenderFixture {
protected:
    void SetUp() override {
        RenderFixture::SetUp();
        g.f.picLv.setPicture(solid(314, 74, banner));
    }
    bool shown() const {
        return main(16, 52) == banner && main(329, 125) == banner && main(15, 52) == kBlack &&
               main(16, 126) == kBlack;
    }
    const Color banner = rgb(250, 200, 20);
};

TEST_F(RenderBanner, ShowsFor1500MsAfterALevelUp) {
    for (int32_t start : {1'000'000, INT32_MAX - 700}) {
        SCOPED_TRACE(testing::Message() << "clock " << start);
        g.sv.clock = start;
        g.f.level = 4;
        g.f.bannerLevel = 3;
        g.f.bannerUntil = 0;
        g.f.frameTick = start;
        g.f.drawFrame();
        EXPECT_EQ(g.f.bannerLevel, 4);
        EXPECT_EQ(g.f.bannerUntil, game::tickAdd(start, 1500));
        EXPECT_TRUE(shown());

        g.f.frameTick = game::tickAdd(start, 1499);
        g.f.drawFrame();
        EXPECT_TRUE(shown());
        g.f.frameTick = g.f.bannerUntil;
        g.f.drawFrame();
        EXPECT_FALSE(shown()) << "not when bannerUntil equals frameTick";
        EXPECT_EQ(g.f.bannerUntil, game::tickAdd(start, 1500)) << "no restart without a level-up";
    }
}

TEST_F(RenderBanner, LevelUpWhileShowingRestartsTheTimer) {
    g.f.level = 2;
    g.f.drawFrame();
    const int32_t first = g.f.bannerUntil;
    g.sv.advance(1000);
    g.f.frameTick = g.sv.clock;
    g.f.level = 3;
    g.f.drawFrame();
    EXPECT_EQ(g.f.bannerUntil, game::tickAdd(first, 1000));
    g.f.frameTick = game::tickAdd(first, 200);
    g.f.drawFrame();
    EXPECT_TRUE(shown());
}

TEST_F(RenderBanner, NewGameStartsWithoutBanner) {
    g.f.resetGame();
    g.f.frameTick = g.sv.clock;
    g.f.drawFrame();
    EXPECT_FALSE(shown());
}

// Hearts, trail pieces, explosions and gauges in plenty, drawn over several
// frames; the packed routine must give exactly the frames the plain one gives.
std::vector<QImage> seededFrames(int16_t mmxMode) {
    fake::Game g;
    g.startUp(777);
    g.f.mmxMode = mmxMode;
    g.f.difficulty = 1;
    g.f.gauge = 260;
    g.f.freezeTimer = 400;
    g.f.score = 98765;
    g.f.level = 57;
    g.f.bannerLevel = 56;
    g.f.frameTick = g.sv.clock;
    for (int i = 0; i < game::kShotSlots; ++i) {
        g.f.shotLane[i] = static_cast<int16_t>(i % 5);
        g.f.shotY[i] = 20.0f + 10.7f * i;
        g.f.shotWave[i] = static_cast<int16_t>(i % 3 == 0);
    }
    for (int i = 0; i < 40; ++i) {
        g.f.enemyLane[i] = static_cast<int16_t>(i % 5);
        g.f.enemyY[i] = 340.0f - 8.3f * i;
        g.f.enemyFrame[i] = static_cast<int16_t>(i % 2);
        g.f.enemyTurnState[i] = static_cast<int16_t>(i % 4);
    }
    for (int k = 0; k < game::kParticleSlots; ++k) {
        g.f.particleX[k] = static_cast<int16_t>(20 + 31 * k);
        g.f.particleY[k] = static_cast<int16_t>(60 + 25 * k);
        g.f.particleAge[k] = static_cast<int16_t>(k);
    }
    std::vector<QImage> frames;
    for (int n = 0; n < 12; ++n) {
        for (int i = 0; i < game::kShotSlots; ++i) g.f.shotY[i] += 9.25f;
        for (int k = 0; k < game::kParticleSlots; ++k)
            g.f.particleAge[k] = static_cast<int16_t>((g.f.particleAge[k] + 1) % 16);
        g.f.drawFrame();
        frames.push_back(g.f.picMain.image());
    }
    return frames;
}

TEST(RenderMmx, PackedAndPlainFramesAreIdentical) {
    const std::vector<QImage> plain = seededFrames(0);
    const std::vector<QImage> packed = seededFrames(game::kMmxFlag);
    ASSERT_EQ(plain.size(), packed.size());
    for (size_t n = 0; n < plain.size(); ++n) EXPECT_TRUE(plain[n] == packed[n]) << "frame " << n;
    // The frames do move, so the comparison is not between still pictures.
    EXPECT_FALSE(plain.front() == plain.back());
}

TEST_F(RenderFrame, PresentsTheBackBufferWhole) {
    g.f.shotLane[0] = 2;
    g.f.shotY[0] = 80;
    g.f.difficulty = 0;
    g.f.gauge = 120;
    g.f.drawFrame();
    EXPECT_TRUE(g.f.picMain.image() == g.f.picSUB.image());
}

TEST_F(RenderFrame, CorruptSlotsAndMissingLibraryAreSkipped) {
    g.f.heroFrame = 7;
    g.f.heroLane = -1;
    g.f.enemyLane[0] = 5;
    g.f.enemyFrame[1] = 9;
    g.f.enemyLane[1] = 0;
    g.f.enemyY[1] = 200;
    g.f.shotLane[0] = -3;
    g.f.trailLane[0] = 1234;
    g.f.particleX[0] = 100;
    g.f.particleAge[0] = 16;
    g.f.particleX[1] = -30000;
    g.f.particleY[1] = 32767;
    g.f.particleAge[1] = 3;
    g.f.drawFrame();
    g.f.blend.reset();
    g.f.shotLane[3] = 1;
    g.f.shotY[3] = 100;
    const auto before = g.f.rnd.draws();
    g.f.drawFrame();
    EXPECT_EQ(g.f.rnd.draws() - before, 1u) << "the jitter is drawn even when nothing glows";
    EXPECT_EQ(main(g.f.laneX[1], 110), kBlack);
}

}  // namespace
