#include <string>
#include <vector>

#include "sim_fixture.h"

using F = game::Form1;
using namespace simtest;

namespace {

// Every shot is fired at level 1 and moved at the row's level: the speed must be
// the level's at update time (a level-up makes shots in flight jump), capped at
// 99, and the expiry tested on the stored float32 value.
TEST(SimShots, PositionAndExpiryFromAgeAndTheCurrentLevel) {
    struct Case {
        int16_t wave, heroY;
        int32_t level, age;
        double y;
        bool live;
    } cases[] = {
        {0, 5, 1, 0, 7.0, true},           {0, 5, 1, 1010, 210.55385, true},   {0, 5, 2, 1010, 212.10769, true},
        {0, 5, 99, 1000, 359.30769, true}, {0, 5, 150, 1000, 359.30769, true}, {0, 227, 1, 650, 360, true},
        {0, -35, 1, 1950, 360, true},  // 360.00000000000006 in double, 360 once stored
        {0, 5, 10, 1639, 360.0154, false}, {1, 5, 1, 450, 77.3, true},         {1, 5, 1, 1330, -10.25513, true},
        {1, 5, 80, 1800, 46.14073, true},  {1, 5, 1, 21949, 374.956, true},    {1, 5, 1, 21950, 375.033, false},
    };
    for (const auto& c : cases) {
        Sim s;
        s.f.heroY = c.heroY;
        s.f.fireShot();
        s.f.shotWave[0] = c.wave;
        s.f.level = c.level;
        s.g.sv.advance(c.age);
        s.f.moveShots();
        EXPECT_NEAR(s.f.shotY[0], c.y, 1e-3) << "row " << &c - cases;
        EXPECT_EQ(s.f.shotLane[0] == s.f.heroLane, c.live) << "row " << &c - cases;
    }
}

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
    } cases[] = {{&F::fireShot, 0, {3}, 0, ""},        {&F::fireShot, kFull, {}, 0, ""},
                 {&F::fireVolley, 0, {0, 1, 2, 3, 4}, 50, "voice3"}, {&F::fireVolley, kFull - 2, {0, 1}, 50, "voice3"},
                 {&F::fireVolley, kFull, {}, 50, ""},  {&F::fireWaveShots, 0, {3, 3}, 100, "voice4"},
                 {&F::fireWaveShots, kFull - 1, {3}, 100, "voice4"}, {&F::freezeEnemies, 0, {}, 25, "voice2"}};
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
                                             : std::vector{s.f.filePath("vrnvoice/" + c.voice + ".wav")}))
            << "row " << &c - cases;
    }
}

}  // namespace
