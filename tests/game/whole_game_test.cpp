// SPDX-License-Identifier: GPL-3.0-or-later
// Hours of virtual play with bots on every key, specials, pauses and menu
// commands between games, on every difficulty and mode (SPIRITUAL FEVER gives
// thousands of frames at level 99): after every pass each counter equals the
// live slots it counts and no index leaves its table; frames keep their period,
// games end only with an enemy through the top, the settings file round-trips
// after each game, and play goes on smoothly across the tick's wrap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "game_fixtures.h"
#include "shell/play_keys.h"
#include "shell/settings_file.h"

namespace {

#ifdef LANEBEAM_SANITIZED
constexpr int32_t kLongMinutes = 20;  // instrumented code runs several times slower
#else
constexpr int32_t kLongMinutes = 120;
#endif

// The bots draw from a hash, so a run is the same every time.
uint32_t mix(uint32_t x) {
    x = (x ^ (x >> 16)) * 0x7FEB352Du;
    x = (x ^ (x >> 15)) * 0x846CA68Bu;
    return x ^ (x >> 16);
}

// Which keys are down changes every 70 ms.
bool botHolds(const game::Form1& f, int vk, int32_t now) {
    const uint32_t slot = mix(static_cast<uint32_t>(now) / 70u);
    if (vk == f.KeyS5) return (slot & 1) != 0;
    if (vk == game::laneKey(f, static_cast<int>((slot >> 1) % game::kLanes))) return (slot & 0x18) == 0;
    // The specials and the arrows, each now and then.
    const int16_t rare[] = {f.KeyS9, f.KeySA, f.KeyS6, f.KeyS7, f.KeyS8};
    for (int k = 0; k < 5; ++k)
        if (vk == rare[k]) return k < 2 ? (slot & 0x3E0) == 0x20u << k : (slot & 0x7C00) == 0x400u * (k - 1);
    return false;
}

struct PlayRecord {
    int games = 0, pauses = 0;
    int64_t playFrames = 0, highLevelFrames = 0;
    int32_t worstStep = 0;  // the largest jump of a live straight shot between frames
};

// Plays for `minutes` of virtual time from `startTick`, checking after every pass.
PlayRecord play(int32_t startTick, int32_t minutes, uint64_t seed) {
    fake::ProgramFolder folder;
    fake::Game g(startTick, folder.path);
    game::Form1& f = g.f;
    g.startUp(seed);
    bool pauseHeld = false;  // the pause waits for a fresh Space
    g.sv.keyScript = [&](int vk, int32_t now) { return !pauseHeld && botHolds(f, vk, now); };
    g.sv.otherAnswer = "Bot";
    f.mnuVio.checked = false;

    PlayRecord run;
    const int32_t end = game::tickAdd(startTick, minutes * 60'000);
    int32_t lastLevel = 0, lastFrameTick = 0;
    int16_t lastScene = f.scene;
    auto lastShotY = f.shotY;
    auto lastShotLane = f.shotLane;
    for (uint32_t step = 1; game::tickDiff(end, g.sv.clock) > 0; ++step) {
        // Menu commands run between passes, as they do inside DoEvents.
        if (f.scene == 0 && mix(step) % 997 == 0) {
            f.mnuHS_Click();
            f.Command1_Click();
        }
        if (f.scene == 2 && mix(step + 3) % 4000 == 0) {
            // A pause of a few seconds: Space comes back only after a while.
            pauseHeld = true;
            ++run.pauses;
            g.sv.at(game::tickAdd(g.sv.clock, 3000), [&] { pauseHeld = false; });
            f.mnuPause_Click();
            lastScene = -1;  // the frame after a pause is not compared with the one before
        }
        f.runPass();

        const std::string broken = fake::checkInvariants(f);
        EXPECT_EQ(broken, "") << "after pass " << step;
        EXPECT_GE(f.freezeTimer, 0) << "after pass " << step;
        EXPECT_GE(f.gauge, 0) << "after pass " << step;
        if (!broken.empty() || f.freezeTimer < 0 || f.gauge < 0) return run;

        if (f.scene == 2 && lastScene == 2) {
            ++run.playFrames;
            run.highLevelFrames += f.level >= 50;
            EXPECT_EQ(game::tickDiff(f.frameTick, lastFrameTick), 20) << "a frame every 20 ms, none frozen";
            EXPECT_GE(f.level, lastLevel) << "the level never falls during a game";
            EXPECT_LE(game::tickDiff(f.bannerUntil, f.frameTick), 1500) << "a banner shows 1.5 s at most";
            for (int i = 0; i < game::kShotSlots; ++i)
                if (f.shotLane[i] != game::kFreeSlot && lastShotLane[i] == f.shotLane[i] && f.shotWave[i] == 0)
                    run.worstStep = std::max(run.worstStep, static_cast<int32_t>(f.shotY[i] - lastShotY[i]));
        }
        if (f.scene == 3 && lastScene == 2) {
            // The game ends with an enemy through the top, caught if one is in the heroine's lane.
            int through = 0, caught = 0;
            for (int i = 0; i < game::kEnemySlots; ++i)
                if (f.enemyLane[i] != game::kFreeSlot && f.enemyY[i] < 0) {
                    ++through;
                    caught += f.enemyLane[i] == f.heroLane;
                }
            EXPECT_GT(through, 0) << "an enemy got through, pass " << step;
            EXPECT_EQ(caught > 0, f.caughtInLane != 0) << "caught in the heroine's lane, pass " << step;
        }
        if (f.scene == 2) {
            lastLevel = f.level;
            lastFrameTick = f.frameTick;
        }
        lastShotY = f.shotY;
        lastShotLane = f.shotLane;

        if (lastScene == 3 && f.scene == 0) {
            ++run.games;
            lastLevel = 0;
            // What the game holds now survives a write and a read.
            EXPECT_EQ(f.writeSettingsFile(), game::SaveOutcome::Saved);
            const auto back = game::settings::readSettings(folder.read(), {});
            EXPECT_TRUE(back.ok) << back.problem;
            EXPECT_TRUE(back.checksumOk) << back.problem;
            EXPECT_EQ(back.values, game::currentSettings(f)) << "after game " << run.games;
            // The next game on any difficulty, as with Shift held at start-up; GOLDEN
            // FINGER one game in four; SPIRITUAL FEVER every fourth, on EXPERT, where it
            // gives no endless gauge (endless freezes would never let the game end).
            const uint32_t pick = mix(static_cast<uint32_t>(run.games));
            f.mnulv_Click(run.games % 4 == 1 ? 4 : static_cast<int>(pick % 5));
            f.mnulv[5].checked = (pick & 0x30) == 0;
            f.mnulv[6].checked = run.games % 4 == 1;
        }
        lastScene = f.scene;
    }
    return run;
}

TEST(LongPlay, HoursOfBotPlayKeepEveryInvariant) {
    const PlayRecord run = play(1'000'000, kLongMinutes, 7);
    EXPECT_GT(run.games, kLongMinutes / 3) << "games keep ending and starting";
    EXPECT_GT(run.pauses, 0);
    EXPECT_GT(run.playFrames, int64_t{kLongMinutes} * 60 * 50 / 4);
    EXPECT_GT(run.highLevelFrames, kLongMinutes * 40) << "SPIRITUAL FEVER games play at level 99";
    // A straight shot moves at most 0.36 px/ms: about 8 px per 21 ms frame.
    EXPECT_LE(run.worstStep, 12);
}

TEST(LongPlay, PlayGoesOnSmoothlyAcrossTheTickWrap) {
    // 10 s before 2^31 ms and before 2^32 ms.
    for (int32_t start : {static_cast<int32_t>(2147483647 - 10'000 + 1), -10'000}) {
        const PlayRecord run = play(start, 3, 11);
        SCOPED_TRACE(testing::Message() << "from " << start);
        EXPECT_GT(run.playFrames, 1000);
        EXPECT_LE(run.worstStep, 12) << "no shot jumps at the wrap";
    }
}

}  // namespace
