// SPDX-License-Identifier: GPL-3.0-or-later
// Firing: the shot, the volley, the wave shots and the freeze.
#include <string>
#include <vector>

#include "sim/specials.h"
#include "sim_fixture.h"

using F = game::Form1;
using namespace simtest;

namespace {

// Each takes the first free slots in order, plays its voice only with the voice
// option, and pays its full cost even when the table has no room.
TEST(SimShots, FireAndSpecialsFillFreeSlotsAndPayInFull) {
    constexpr int kFull = game::kShotSlots;
    struct Case {
        const char* name;
        void (F::*op)();
        int liveBefore;
        std::vector<int16_t> lanes;  // of the new shots, in slot order
        int32_t cost;
        std::string voice;  // empty: the voice option is off
    };
    const Case cases[] = {
        {.name = "shot", .op = &F::fireShot, .liveBefore = 0, .lanes = {3}, .cost = 0, .voice = ""},
        {.name = "shot, full", .op = &F::fireShot, .liveBefore = kFull, .lanes = {}, .cost = 0, .voice = ""},
        {.name = "volley",
         .op = &F::fireVolley,
         .liveBefore = 0,
         .lanes = {0, 1, 2, 3, 4},
         .cost = game::kVolleyRule.cost,
         .voice = "voice3"},
        {.name = "volley, two free",
         .op = &F::fireVolley,
         .liveBefore = kFull - 2,
         .lanes = {0, 1},
         .cost = game::kVolleyRule.cost,
         .voice = "voice3"},
        {.name = "volley, full",
         .op = &F::fireVolley,
         .liveBefore = kFull,
         .lanes = {},
         .cost = game::kVolleyRule.cost,
         .voice = ""},
        {.name = "wave",
         .op = &F::fireWaveShots,
         .liveBefore = 0,
         .lanes = {3, 3},
         .cost = game::kWaveShotsRule.cost,
         .voice = "voice4"},
        {.name = "wave, one free",
         .op = &F::fireWaveShots,
         .liveBefore = kFull - 1,
         .lanes = {3},
         .cost = game::kWaveShotsRule.cost,
         .voice = "voice4"},
        {.name = "freeze",
         .op = &F::freezeEnemies,
         .liveBefore = 0,
         .lanes = {},
         .cost = game::kFreezeRule.cost,
         .voice = "voice2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sim s;
        for (int k = 0; k < c.liveBefore; ++k) s.placeShot(0, 100);
        s.f.heroLane = 3;
        s.f.gauge = 100;
        s.f.mnuVoice.checked = !c.voice.empty();
        s.g.sv.advance(7);
        (s.f.*c.op)();
        // The new shots, each stamped now with power 1, wave shots only from the wave key.
        std::vector<int16_t> lanes;
        for (int i = c.liveBefore; i < kFull && s.f.shotLane[i] != kFreeSlot; ++i) {
            lanes.push_back(s.f.shotLane[i]);
            EXPECT_EQ(s.f.shotTick[i], s.g.sv.clock) << "slot " << i;
            EXPECT_EQ(s.f.shotPower[i], 1) << "slot " << i;
            EXPECT_EQ(s.f.shotWave[i], c.op == &F::fireWaveShots) << "slot " << i;
        }
        EXPECT_EQ(lanes, c.lanes);
        EXPECT_EQ(s.f.gauge, 100 - c.cost);
        const std::vector<std::string> voices =
            c.voice.empty() ? std::vector<std::string>{} : std::vector{s.f.paths.asset("vrnvoice/" + c.voice + ".wav")};
        EXPECT_EQ(s.g.sv.sounds, voices);
    }
}

}  // namespace
