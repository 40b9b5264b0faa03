// Pause, back to title and quit.
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "menu_fixture.h"

namespace {

using fake::Game;
using game::kFreeSlot;
using game::tickAdd;
using game::tickDiff;

constexpr int kSpace = 32;

// Live and free slots with stamps of different ages, as a game leaves them.
void placeSlots(game::Form1& f, int32_t now) {
    f.resetGame();
    f.scene = 2;
    const int enemies[] = {0, 7, 100};
    for (int k = 0; k < 3; ++k) {
        f.enemyLane[enemies[k]] = static_cast<int16_t>(k + 1);
        f.enemyTick[enemies[k]] = tickAdd(now, -300 * (k + 1));
    }
    const int shots[] = {0, 30};
    for (int k = 0; k < 2; ++k) {
        f.shotLane[shots[k]] = static_cast<int16_t>(2 * k);
        f.shotTick[shots[k]] = tickAdd(now, -40 * (k + 1));
    }
    f.enemyTick[1] = 4321;  // free slots with stale stamps
    f.shotTick[1] = -8765;
}

// A pause of ten seconds, with and without the tick wrapping inside it.
TEST(MenuPause, LiveStampsMoveByThePausedTimeFreeOnesStay) {
    for (int32_t start : {1'000'000, std::numeric_limits<int32_t>::max() - 4000}) {
        SCOPED_TRACE(start);
        Game g(start);
        game::Form1& f = g.f;
        placeSlots(f, start);
        const auto enemyTicks = f.enemyTick;
        const auto shotTicks = f.shotTick;
        g.sv.holdKey(kSpace, tickAdd(start, 10'000), tickAdd(start, 10'050));
        bool checkedInside = false;
        g.sv.at(tickAdd(start, 5000), [&] {
            EXPECT_TRUE(f.lblPause.visible);
            EXPECT_FALSE(f.mnuPause.enabled);
            EXPECT_FALSE(f.mnuStart.enabled);
            checkedInside = true;
        });

        f.mnuPause.click();

        EXPECT_TRUE(checkedInside);
        const int32_t paused = tickDiff(g.sv.clock, start);
        EXPECT_GE(paused, 10'000);
        EXPECT_LT(paused, 10'010);
        for (int i = 0; i < game::kEnemySlots; ++i) {
            if (f.enemyLane[i] == kFreeSlot)
                EXPECT_EQ(f.enemyTick[i], enemyTicks[i]) << "free enemy slot " << i;
            else
                EXPECT_EQ(tickDiff(g.sv.clock, f.enemyTick[i]), tickDiff(start, enemyTicks[i]))
                    << "the age of enemy " << i << " is what it was when the pause began";
        }
        for (int j = 0; j < game::kShotSlots; ++j) {
            if (f.shotLane[j] == kFreeSlot)
                EXPECT_EQ(f.shotTick[j], shotTicks[j]) << "free shot slot " << j;
            else
                EXPECT_EQ(tickDiff(g.sv.clock, f.shotTick[j]), tickDiff(start, shotTicks[j])) << "shot " << j;
        }
        EXPECT_FALSE(f.lblPause.visible);
        EXPECT_TRUE(f.mnuPause.enabled);
        EXPECT_TRUE(f.mnuStart.enabled);
        EXPECT_EQ(f.scene, 2);
    }
}

// The real movement code puts every enemy and shot back where it stood.
TEST(MenuPause, PlayResumesWithEveryoneInPlace) {
    Game g;
    g.startUp();
    g.startPlaying();
    game::Form1& f = g.f;
    g.sv.holdKey(kSpace, tickAdd(g.sv.clock, 100), tickAdd(g.sv.clock, 2000));  // fires a shot
    for (int i = 0; i < 300 && f.scene == 2; ++i) {
        g.frame();
        if (f.enemyCount >= 3) break;
    }
    ASSERT_EQ(f.scene, 2);
    ASSERT_GE(f.enemyCount, 1);
    g.sv.releaseAll();
    f.fireShot();
    f.moveShots();
    f.moveEnemies();
    const auto enemyY = f.enemyY;
    const auto shotY = f.shotY;
    const auto enemyLane = f.enemyLane;
    const auto shotLane = f.shotLane;

    g.sv.holdKey(kSpace, tickAdd(g.sv.clock, 10'000), tickAdd(g.sv.clock, 10'020));
    f.mnuPause.click();
    f.moveShots();
    f.moveEnemies();

    EXPECT_EQ(f.enemyLane, enemyLane);
    EXPECT_EQ(f.shotLane, shotLane);
    for (int i = 0; i < game::kEnemySlots; ++i) {
        if (f.enemyLane[i] == kFreeSlot) continue;
        EXPECT_FLOAT_EQ(f.enemyY[i], enemyY[i]) << "enemy " << i;
    }
    for (int j = 0; j < game::kShotSlots; ++j) {
        if (f.shotLane[j] == kFreeSlot) continue;
        EXPECT_FLOAT_EQ(f.shotY[j], shotY[j]) << "shot " << j;
    }
    EXPECT_EQ(f.gameOver, 0);
}

TEST(MenuPause, ClearsThePictureWhileWaiting) {
    Game g;
    game::Form1& f = g.f;
    placeSlots(f, g.sv.clock);
    f.picMain.pset(10, 10, forms::rgb(255, 255, 255));
    g.sv.at(tickAdd(g.sv.clock, 50), [&] { EXPECT_EQ(f.picMain.pixel(10, 10), f.picMain.backColor); });
    g.sv.holdKey(kSpace, tickAdd(g.sv.clock, 100), tickAdd(g.sv.clock, 120));
    f.mnuPause_Click();
    EXPECT_EQ(g.sv.clock, tickAdd(1'000'000, 100));
}

TEST(MenuPause, OutsidePlayOnlyTogglesTheItems) {
    for (int16_t scene : {0, 1, 3}) {
        Game g;
        game::Form1& f = g.f;
        placeSlots(f, g.sv.clock);
        f.scene = scene;
        const auto enemyTicks = f.enemyTick;
        f.picMain.pset(10, 10, forms::rgb(255, 255, 255));
        const int32_t before = g.sv.clock;
        f.mnuPause_Click();  // no Space is ever pressed: it must not wait
        EXPECT_EQ(g.sv.clock, before);
        EXPECT_EQ(g.sv.doEventsCalls, 0);
        EXPECT_EQ(f.enemyTick, enemyTicks);
        EXPECT_FALSE(f.lblPause.visible);
        EXPECT_EQ(f.picMain.pixel(10, 10), forms::rgb(255, 255, 255));
        EXPECT_TRUE(f.mnuPause.enabled);
        EXPECT_TRUE(f.mnuStart.enabled);
    }
}

void expectBackAtTitle(const game::Form1& f) {
    EXPECT_EQ(f.scene, 0);
    EXPECT_FALSE(f.lblPause.visible);
    EXPECT_TRUE(f.mnuLevel.enabled);
    EXPECT_TRUE(f.mnuHS.enabled);
    EXPECT_EQ(f.score, 0);
    EXPECT_EQ(f.gauge, 0);
    EXPECT_EQ(f.level, 1);
    EXPECT_EQ(f.enemyCount, 0);
    for (int16_t lane : f.enemyLane) EXPECT_EQ(lane, kFreeSlot);
    for (int16_t lane : f.shotLane) EXPECT_EQ(lane, kFreeSlot);
}

TEST(MenuBackToTitle, FromPlay) {
    Game g;
    g.startUp();
    g.startPlaying();
    game::Form1& f = g.f;
    for (int i = 0; i < 100; ++i) g.frame();
    f.score = 77;
    f.gauge = 30;
    f.picMain.pset(3, 3, forms::rgb(1, 2, 3));
    ASSERT_FALSE(f.mnuLevel.enabled);

    f.mnuBkT.click();

    expectBackAtTitle(f);
    EXPECT_EQ(f.picMain.pixel(3, 3), f.picMain.picture().pixel(3, 3) & 0xFFFFFFu) << "the title shows again";
    for (int i = 0; i < 20; ++i) f.runPass();
    EXPECT_EQ(f.scene, 0) << "the title scene goes on";
    EXPECT_EQ(fake::checkInvariants(f), "");
}

TEST(MenuBackToTitle, FromInsideAPauseTheWaitStillEndsOnlyWithSpace) {
    Game g;
    g.startUp();
    g.startPlaying();
    game::Form1& f = g.f;
    for (int i = 0; i < 100; ++i) g.frame();
    const int32_t t0 = g.sv.clock;
    bool resetSeen = false;
    g.sv.at(tickAdd(t0, 100), [&] { f.mnuBkT.click(); });
    g.sv.at(tickAdd(t0, 200), [&] {
        expectBackAtTitle(f);
        EXPECT_FALSE(f.mnuPause.enabled) << "still paused";
        resetSeen = true;
    });
    g.sv.holdKey(kSpace, tickAdd(t0, 3000), tickAdd(t0, 3005));

    f.mnuPause.click();

    EXPECT_TRUE(resetSeen);
    EXPECT_GE(tickDiff(g.sv.clock, t0), 3000);
    expectBackAtTitle(f);
    EXPECT_TRUE(f.mnuPause.enabled);
    EXPECT_TRUE(f.mnuStart.enabled);
}

TEST(MenuBackToTitle, OnTheTitleResetsAgain) {
    Game g;
    g.startUp();
    game::Form1& f = g.f;
    f.score = 12;
    f.mnuBkT.click();
    expectBackAtTitle(f);
}

TEST(MenuQuit, WritesTheSettingsAndEnds) {
    menutest::TempFolder folder;
    menutest::TempFolder::fillWithProgram(folder.path);
    {
        Game g(1'000'000, folder.path);
        g.startUp();
        g.f.mnulv[1].click();
        menutest::quit(g);
        EXPECT_EQ(g.sv.endStatus, 0);
    }
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder.path) / "vnbeam.ini"));
    Game again(1'000'000, folder.path);
    again.startUp();
    EXPECT_EQ(again.f.difficulty, 1);
}

TEST(MenuQuit, FromInsideAPauseEndsAtOnce) {
    menutest::TempFolder folder;
    Game g(1'000'000, folder.path);
    placeSlots(g.f, g.sv.clock);
    g.sv.at(tickAdd(g.sv.clock, 10), [&] { g.f.mnuQuit.click(); });
    EXPECT_THROW(g.f.mnuPause.click(), platform::ProgramEnd);
    EXPECT_EQ(g.sv.endStatus, 0);
}

}  // namespace
