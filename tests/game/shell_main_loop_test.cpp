// The main loop's scenes, frame timing and key polling on the fake platform.
#include <gtest/gtest.h>

#include "fake_services.h"

namespace {

using fake::Game;

constexpr int kSpace = 32;

struct Playing : ::testing::Test {
    Game g;
    void SetUp() override {
        g.startUp();
        g.startPlaying();
        ASSERT_EQ(g.f.scene, 2);
    }
    // Runs frames until `n` grants (firing going 0 -> 1) or `frames` frames.
    int grantsOver(int frames) {
        int grants = 0;
        for (int i = 0; i < frames; ++i) {
            int before = g.f.firing;
            g.frame();
            if (before == 0 && g.f.firing == 1) ++grants;
        }
        return grants;
    }
};

TEST(ShellStart, TitleGoesThroughGetReadyIntoPlay) {
    Game g;
    g.startUp();
    EXPECT_EQ(g.f.scene, 0);
    for (int i = 0; i < 20; ++i) g.f.runPass();
    EXPECT_EQ(g.f.scene, 0) << "no key, no game";
    g.sv.holdKey(kSpace, g.sv.clock, game::tickAdd(g.sv.clock, 30));
    g.f.runPass();
    EXPECT_EQ(g.f.scene, 1);
    const int32_t before = g.sv.clock;
    g.f.runPass();
    EXPECT_EQ(g.f.scene, 2);
    // The opening box (250 ms) and READY (500 ms) take their time.
    EXPECT_GE(game::tickDiff(g.sv.clock, before), 750);
    EXPECT_FALSE(g.f.mnuLevel.enabled);
    EXPECT_FALSE(g.f.mnuHS.enabled);
    EXPECT_EQ(g.sv.captions.back(), "****|||| EASY GAME ||||****");
    ASSERT_FALSE(g.sv.sounds.empty());
    EXPECT_NE(g.sv.sounds.back().find("vrnvoice/voice1.wav"), std::string::npos);
}

TEST(ShellStart, StartCommandRestartsFromAnyScene) {
    Game g;
    g.startUp();
    g.startPlaying();
    g.f.score = 55;
    g.f.mnuStart.click();
    g.f.runPass();
    EXPECT_EQ(g.f.scene, 2);
    EXPECT_EQ(g.f.score, 0) << "the get-ready scene resets the game";
}

TEST_F(Playing, FramesStartTwentyMillisecondsApart) {
    int32_t last = g.f.frameTick;
    for (int i = 0; i < 50; ++i) {
        g.frame();
        EXPECT_EQ(game::tickDiff(g.f.frameTick, last), 20);
        last = g.f.frameTick;
    }
}

TEST_F(Playing, HeldFireKeyGivesOneShotAndReleaseRearms) {
    g.sv.setKey(kSpace, true);
    EXPECT_EQ(grantsOver(40), 1);
    g.sv.setKey(kSpace, false);
    grantsOver(3);
    g.sv.setKey(kSpace, true);
    EXPECT_EQ(grantsOver(40), 1);
}

TEST_F(Playing, FirePressedDuringThePoseIsFiredAfterIt) {
    g.sv.holdKey(kSpace, g.sv.clock, game::tickAdd(g.sv.clock, 10));
    g.frame();
    g.frame();
    ASSERT_EQ(g.f.firing, 1);
    // A second, short press while the heroine is still posing.
    g.sv.holdKey(kSpace, game::tickAdd(g.sv.clock, 5), game::tickAdd(g.sv.clock, 15));
    g.frame();
    EXPECT_EQ(g.f.fireRequest, 1);
    int frames = 0;
    while (g.f.firing == 1 && frames < 100) {
        g.frame();
        ++frames;
    }
    EXPECT_EQ(g.f.fireRequest, 1) << "still pending when the pose ends";
    g.frame();
    EXPECT_EQ(g.f.firing, 1);
    EXPECT_EQ(g.f.fireRequest, 0);
}

TEST_F(Playing, LaneKeysInPollOrderLastWins) {
    struct Case {
        std::vector<int16_t game::Form1::*> keys;
        int16_t lane;
    };
    const std::vector<Case> cases = {
        {{&game::Form1::KeyS0}, 0},
        {{&game::Form1::KeyS1}, 4},
        {{&game::Form1::KeyS0, &game::Form1::KeyS4}, 2},
        {{&game::Form1::KeyS3, &game::Form1::KeyS4}, 2},
        {{&game::Form1::KeyS2, &game::Form1::KeyS3}, 3},
        {{&game::Form1::KeyS1, &game::Form1::KeyS2}, 1},
        {{&game::Form1::KeyS0, &game::Form1::KeyS1}, 4},
    };
    for (const Case& c : cases) {
        g.sv.releaseAll();
        for (auto key : c.keys) g.sv.setKey(g.f.*key, true);
        g.frame();
        g.sv.releaseAll();
        g.frame();
        EXPECT_EQ(g.f.heroLane, c.lane);
        EXPECT_EQ(g.f.cursorLane, c.lane);
    }
}

TEST_F(Playing, ArrowsStepOnceAndWrap) {
    g.f.cursorLane = 0;
    g.sv.setKey(g.f.KeyS9, true);
    for (int i = 0; i < 10; ++i) g.frame();
    EXPECT_EQ(g.f.cursorLane, 4) << "left from lane 0 wraps, once while held";
    g.sv.setKey(g.f.KeyS9, false);
    g.frame();
    g.sv.setKey(g.f.KeySA, true);
    g.frame();
    g.frame();
    EXPECT_EQ(g.f.cursorLane, 0) << "right from lane 4 wraps";
    g.sv.releaseAll();
    g.frame();
    g.sv.setKey(g.f.KeyS9, true);
    g.sv.setKey(g.f.KeySA, true);
    for (int i = 0; i < 5; ++i) g.frame();
    EXPECT_EQ(g.f.cursorLane, 4) << "both arrows: the left one is polled first and latches";
}

TEST_F(Playing, ArrowsIgnoredWhileAShotIsPending) {
    g.f.fireRequest = 1;
    g.f.firing = 1;
    g.f.fireEndTick = game::tickAdd(g.sv.clock, 10000);
    g.f.fireFrames = 100;
    g.f.cursorLane = 2;
    g.sv.setKey(g.f.KeySA, true);
    g.frame();
    EXPECT_EQ(g.f.cursorLane, 2);
    g.f.fireRequest = 2;  // the wave-shot special does not block the arrows
    g.frame();
    EXPECT_EQ(g.f.cursorLane, 3);
}

TEST_F(Playing, GoldenFingerFiresOnEveryLaneChange) {
    g.f.mnulv[5].checked = true;
    int grants = 0;
    for (int16_t key : {g.f.KeyS0, g.f.KeyS1, g.f.KeyS2}) {
        g.sv.releaseAll();
        for (int i = 0; i < 6; ++i) {
            int before = g.f.firing;
            if (i == 0) g.sv.setKey(key, true);
            if (i == 1) g.sv.setKey(key, false);
            g.frame();
            if (before == 0 && g.f.firing == 1) ++grants;
        }
    }
    EXPECT_EQ(grants, 3);
    // The quick pose: about 70 ms below level 100.
    EXPECT_LE(game::tickDiff(g.f.fireEndTick, g.f.frameTick), 70);
}

TEST_F(Playing, FpsCaptionOncePerSecond) {
    g.f.mnuFPS.checked = true;
    for (int i = 0; i < 160; ++i) g.frame();
    ASSERT_FALSE(g.sv.captions.empty());
    const std::string last = g.sv.captions.back();
    EXPECT_EQ(last.rfind("FPS:", 0), 0u);
    // The count restarts at 1, so fifty frames a second read 51.
    EXPECT_EQ(last, "FPS:51");
    g.f.mnuFPS.checked = false;
    const size_t seen = g.sv.captions.size();
    for (int i = 0; i < 120; ++i) g.frame();
    EXPECT_EQ(g.sv.captions.size(), seen) << "unchecked: the caption keeps its last text";
}

TEST(ShellTitle, StampCycleWipesAfterTheFortySeventhStamp) {
    Game g;
    g.startUp();
    const QImage title = g.f.picMain.image();
    // Force a stamp on every pass: a draw of 0.999 beats any odds below it.
    for (int stamp = 1; stamp <= 47; ++stamp) {
        g.f.rnd.queue({0.999f, 0.5f, 0.5f});
        g.f.titleScene();
        if (stamp < 47) {
            EXPECT_NEAR(g.f.titleStampOdds, 0.99 - 0.003 * stamp, 1e-9);
        }
    }
    EXPECT_DOUBLE_EQ(g.f.titleStampOdds, 0.99);
    EXPECT_EQ(g.f.picMain.image(), title) << "the wipe shows the plain title again";
    EXPECT_EQ(g.f.titleStampX, 175);
}

TEST(ShellReset, TablesAndCountersAgree) {
    Game g;
    g.startUp();
    g.f.enemyLane[7] = 3;
    g.f.enemyCount = 4;
    g.f.laneEnemyCount[3] = 4;
    g.f.shotLane[3] = 1;
    g.f.particleX[2] = 40;
    g.f.trailLane[30] = 0;
    g.f.level = 77;
    g.f.difficulty = 1;
    g.f.hiScore[1] = 1234;
    g.f.resetGame();
    EXPECT_EQ(fake::checkInvariants(g.f), "");
    EXPECT_EQ(g.f.enemyCount, 0);
    EXPECT_EQ(g.f.level, 1);
    EXPECT_EQ(g.f.difficulty, 1) << "kept across games";
    EXPECT_EQ(g.f.hiScore[1], 1234);
    for (auto lane : g.f.shotLane) EXPECT_EQ(lane, game::kFreeSlot);
    for (auto x : g.f.particleX) EXPECT_EQ(x, game::kFreeSlot);
}

TEST(ShellStartUp, UnlockStageOpensMenusWithAtLeastTests) {
    struct Case {
        int16_t stage;
        bool normal, expert, golden, fever, sudden;
    };
    const Case cases[] = {
        {0, false, false, false, false, false}, {2, false, false, false, false, false},
        {3, true, false, false, false, false},  {4, true, true, false, false, false},
        {5, true, true, true, false, false},    {6, true, true, true, true, false},
        {7, true, true, true, true, true},      {42, true, true, true, true, true},
    };
    for (const Case& c : cases) {
        Game g;
        g.f.startUp();
        g.f.mnulv[3].enabled = g.f.mnulv[4].enabled = false;
        g.f.mnulv[5].visible = g.f.mnulv[6].visible = g.f.mnulv[7].visible = false;
        g.f.applyUnlockStage(c.stage);
        EXPECT_EQ(g.f.mnulv[3].enabled, c.normal) << c.stage;
        EXPECT_EQ(g.f.mnulv[4].enabled, c.expert) << c.stage;
        EXPECT_EQ(g.f.mnulv[5].visible, c.golden) << c.stage;
        EXPECT_EQ(g.f.mnulv[6].visible, c.fever) << c.stage;
        EXPECT_EQ(g.f.mnulv[7].visible, c.sudden) << c.stage;
    }
}

TEST(ShellStartUp, ShiftOpensEverythingForThisRunOnly) {
    Game g;
    g.sv.setKey(16, true);
    g.f.startUp();
    EXPECT_TRUE(g.f.mnulv[3].enabled);
    EXPECT_TRUE(g.f.mnulv[4].enabled);
    EXPECT_TRUE(g.f.mnulv[7].visible);
    EXPECT_TRUE(g.f.mnuDBG.visible);
    EXPECT_EQ(g.f.unlockStage, 2);

    Game plain;
    plain.f.startUp();
    EXPECT_FALSE(plain.f.mnuDBG.visible);
    EXPECT_FALSE(plain.f.mnulv[3].enabled);
}

TEST(ShellStartUp, ConstantTablesAndWindow) {
    Game g;
    g.f.startUp();
    EXPECT_EQ(g.f.laneX, (std::array<int16_t, 5>{25, 100, 175, 250, 325}));
    EXPECT_EQ(g.f.heroFrameX[7], 130);
    EXPECT_EQ(g.f.form.width, 5355);
    EXPECT_EQ(g.f.form.height, 5940);
    EXPECT_TRUE(g.f.form.visible);
    EXPECT_EQ(g.f.Text1.top, 500);
    EXPECT_EQ(g.f.picREADY.scaleHeight(), 83);
    EXPECT_EQ(g.f.picLv.scaleWidth(), 314);
    EXPECT_TRUE(g.f.mnulv[2].checked);
}

TEST(ShellStartUp, MissingPictureIsReportedAndEndsWithFailure) {
    Game g(1000, "/nonexistent-lanebeam-folder");
    EXPECT_THROW(g.f.startUp(), platform::ProgramEnd);
    EXPECT_EQ(g.sv.endStatus, 1);
    ASSERT_EQ(g.sv.messages.size(), 1u);
    EXPECT_EQ(g.sv.messages[0].style, platform::kMbCritical);
    EXPECT_NE(g.sv.messages[0].text.find("bg.jpg"), std::string::npos);
}

}  // namespace
