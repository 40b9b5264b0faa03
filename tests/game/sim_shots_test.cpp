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
        void (F::*op)();
        int liveBefore;
        std::vector<int16_t> lanes;
        int32_t cost;
        std::string voice;  // empty: the voice option is off
    } cases[] = {{&F::fireShot, 0, {3}, 0, ""},
                 {&F::fireShot, kFull, {}, 0, ""},
                 {&F::fireVolley, 0, {0, 1, 2, 3, 4}, game::kVolleyRule.cost, "voice3"},
                 {&F::fireVolley, kFull - 2, {0, 1}, game::kVolleyRule.cost, "voice3"},
                 {&F::fireVolley, kFull, {}, game::kVolleyRule.cost, ""},
                 {&F::fireWaveShots, 0, {3, 3}, game::kWaveShotsRule.cost, "voice4"},
                 {&F::fireWaveShots, kFull - 1, {3}, game::kWaveShotsRule.cost, "voice4"},
                 {&F::freezeEnemies, 0, {}, game::kFreezeRule.cost, "voice2"}};
    for (const auto& c : cases) {
        Sim s;
        for (int k = 0; k < c.liveBefore; ++k) s.placeShot(0, 100);
        s.f.heroLane = 3, s.f.gauge = 100;
        s.f.mnuVoice.checked = !c.voice.empty();
        s.g.sv.advance(7);
        (s.f.*c.op)();
        // The new shots, each stamped now with power 1, wave shots only from the wave key.
        std::vector<int16_t> lanes;
        for (int i = c.liveBefore; i < kFull && s.f.shotLane[i] != kFreeSlot; ++i)
            if (std::tuple(s.f.shotTick[i], s.f.shotPower[i], s.f.shotWave[i]) ==
                std::tuple(s.g.sv.clock, 1, int16_t{c.op == &F::fireWaveShots}))
                lanes.push_back(s.f.shotLane[i]);
        EXPECT_EQ(std::tuple(s.f.gauge, lanes, s.g.sv.sounds),
                  std::tuple(100 - c.cost, c.lanes,
                             c.voice.empty() ? std::vector<std::string>{}
                                             : std::vector{s.f.paths.asset("vrnvoice/" + c.voice + ".wav")}))
            << "row " << &c - cases;
    }
}

}  // namespace
