// Hours of virtual play with bots on every key, specials, pauses and menu
// commands between games: no drift, no leak of slots or counters, the settings
// file round-tripping after each game, and smooth play across the tick's wrap.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "game_end_fixture.h"
#include "shell/settings_file.h"

namespace {

using endtest::ProgramFolder;

#ifdef LANEBEAM_SANITIZED
constexpr int32_t kLongMinutes = 20;  // instrumented code runs several times slower
#else
constexpr int32_t kLongMinutes = 180;
#endif
constexpr int32_t kWrapMinutes = 3;

// A bot: which keys are down changes every 70 ms, drawn from a hash of the time,
// so a run is the same every time.
uint32_t mix(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

struct Bot {
    game::Form1& f;
    bool held(int vk, int32_t now) const {
        const uint32_t slot = mix(static_cast<uint32_t>(now) / 70u);
        const int16_t lanes[5] = {f.KeyS0, f.KeyS2, f.KeyS4, f.KeyS3, f.KeyS1};
        if (vk == f.KeyS5) return (slot & 1) != 0;
        if (vk == lanes[(slot >> 1) % 5]) return (slot & 0x18) == 0;
        if (vk == f.KeyS9) return (slot & 0x3E0) == 0x20;
        if (vk == f.KeySA) return (slot & 0x3E0) == 0x40;
        if (vk == f.KeyS6) return (slot & 0x7C00) == 0x400;
        if (vk == f.KeyS7) return (slot & 0x7C00) == 0x800;
        if (vk == f.KeyS8) return (slot & 0x7C00) == 0xC00;
        return false;
    }
};

struct PlayRecord {
    int games = 0;
    int64_t playFrames = 0;
    int pauses = 0;
    int32_t worstStep = 0;  // the largest jump of a live shot between frames
};

// Plays for `minutes` of virtual time from `startTick`, checking after every pass.
PlayRecord play(int32_t startTick, int32_t minutes, uint64_t seed) {
    ProgramFolder folder;
    fake::Game g(startTick, folder.path);
    game::Form1& f = g.f;
    g.startUp(seed);
    Bot bot{f};
    bool pauseHeld = false;
    g.sv.keyScript = [&](int vk, int32_t now) {
        if (pauseHeld) return false;  // the pause waits for a fresh Space
        return bot.held(vk, now);
    };
    int names = 0;
    g.sv.inputHandler = [&](const std::string&, const std::string&) { return "Bot " + std::to_string(++names); };
    f.mnuVio.checked = false;

    PlayRecord run;
    const int32_t end = game::tickAdd(startTick, minutes * 60'000);
    int32_t lastLevel = 0;
    int16_t lastScene = f.scene;
    std::array<float, game::kShotSlots> lastShotY{};
    std::array<int16_t, game::kShotSlots> lastShotLane{};
    int32_t lastFrameTick = 0;
    bool pausedSinceLastFrame = false;
    uint32_t step = 0;
    while (game::tickDiff(end, g.sv.clock) > 0) {
        ++step;
        // Menu commands run between passes, as they do inside DoEvents.
        if (f.scene == 0 && mix(step) % 400 == 0) f.mnulv_Click(static_cast<int>(mix(step + 1) % 3));
        if (f.scene == 0 && mix(step) % 997 == 0) {
            f.mnuHS_Click();
            f.Command1_Click();
        }
        if (f.scene == 0 && mix(step + 7) % 1500 == 0) f.mnulv[5].checked = !f.mnulv[5].checked;
        if (f.scene == 2 && mix(step + 3) % 4000 == 0) {
            // A pause of a few seconds: Space comes back only after a while.
            const int32_t resume = game::tickAdd(g.sv.clock, 3000);
            pauseHeld = true;
            g.sv.at(resume, [&] { pauseHeld = false; });
            f.mnuPause_Click();
            ++run.pauses;
            pausedSinceLastFrame = true;
            lastShotLane.fill(game::kFreeSlot);
        }
        f.runPass();

        const std::string broken = fake::checkInvariants(f);
        EXPECT_EQ(broken, "") << "after pass " << step;
        if (!broken.empty()) return run;

        if (f.scene == 2 && lastScene == 2) {
            ++run.playFrames;
            if (!pausedSinceLastFrame) {
                EXPECT_EQ(game::tickDiff(f.frameTick, lastFrameTick), 20) << "a frame every 20 ms, none frozen";
            }
            EXPECT_GE(f.level, lastLevel) << "the level never falls during a game";
            EXPECT_LE(game::tickDiff(f.bannerUntil, f.frameTick), 1500) << "a banner shows 1.5 s at most";
            for (int i = 0; i < game::kShotSlots; ++i) {
                if (f.shotLane[i] != game::kFreeSlot && lastShotLane[i] == f.shotLane[i] && f.shotWave[i] == 0) {
                    const int32_t jump = static_cast<int32_t>(f.shotY[i] - lastShotY[i]);
                    run.worstStep = std::max(run.worstStep, jump);
                }
            }
        }
        if (f.scene == 2) {
            lastLevel = f.level;
            lastFrameTick = f.frameTick;
            pausedSinceLastFrame = false;
        }
        lastShotY = f.shotY;
        lastShotLane = f.shotLane;

        if (lastScene == 3 && f.scene == 0) {
            ++run.games;
            lastLevel = 0;
            // What the game holds now survives a write and a read.
            EXPECT_TRUE(f.writeSettingsFile());
            const auto back = game::settings::readSettings(folder.read(), {});
            EXPECT_TRUE(back.ok) << back.problem;
            EXPECT_TRUE(back.checksumOk);
            EXPECT_EQ(back.values, game::currentSettings(f)) << "after game " << run.games;
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
    // A straight shot moves at most 0.36 px/ms: about 8 px per 21 ms frame.
    EXPECT_LE(run.worstStep, 12);
}

TEST(LongPlay, PlayGoesOnSmoothlyAcrossTheTickWrap) {
    struct Case {
        const char* name;
        int32_t start;
    };
    const Case cases[] = {
        {"10 s before 2^31 ms", static_cast<int32_t>(2147483647 - 10'000 + 1)},
        {"10 s before 2^32 ms", -10'000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PlayRecord run = play(c.start, kWrapMinutes, 11);
        EXPECT_GT(run.playFrames, 1000);
        EXPECT_LE(run.worstStep, 12) << "no shot jumps at the wrap";
    }
}

}  // namespace
