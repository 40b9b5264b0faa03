// Long seeded runs at high levels: the simulation steps in the order of a play
// frame, a fake clock 20 ms per frame, the invariants checked after every one.
#include <climits>
#include <string>

#include "sim_fixture.h"

using simtest::Sim;

namespace {

// What the shared invariant check does not cover.
std::string simChecks(const game::Form1& f) {
    if (f.freezeTimer < 0) return "negative freezeTimer";
    if (f.gauge < 0) return "negative gauge";
    for (int i = 0; i < game::kShotSlots; ++i)
        if (f.shotLane[i] != game::kFreeSlot && f.shotPower[i] < 1) return "shot power below 1";
    for (int i = 0; i < game::kEnemySlots; ++i)
        if (f.enemyLane[i] != game::kFreeSlot && f.enemyTurnState[i] == 1 &&
            (f.enemyTurnY[i] < 120 || f.enemyTurnY[i] > 269))
            return "turn row out of range";
    return "";
}

TEST(SimRun, ThousandsOfFramesKeepTheTablesConsistent) {
    struct Case {
        int16_t difficulty;
        int32_t kills;
        bool golden;
        int32_t startTick;
    } cases[] = {{3, 5000, false, INT_MAX - 30'000}, {4, 9200, true, 1'000'000},
                 {1, 2000, false, -5'000}, {0, 900, true, INT_MAX - 100'000}};
    int totalExits = 0, totalLaneChanges = 0;
    for (const auto& c : cases) {
        Sim s(c.difficulty, 1, c.startTick);
        s.f.kills = c.kills;
        s.f.updateLevel();
        s.f.mnulv[5].checked = c.golden;
        s.f.rnd.seed(20240 + c.difficulty);
        int spawned = 0, exits = 0, laneChanges = 0, killsSeen = 0;
        for (int frame = 0; frame < 6000; ++frame) {
            s.f.frameTick = s.g.sv.clock;
            // Lane 4 is left to the volleys, so some enemies live long enough
            // to change lane, leave at the bottom or get through.
            if (frame % 3 == 0) {
                s.f.heroLane = static_cast<int16_t>((frame / 3) % 4);
                s.f.fireShot();
            }
            s.f.moveShots();
            if (s.f.spawnTest()) {
                s.f.spawnEnemies();
                ++spawned;
            }
            const int32_t killsBefore = s.f.kills;
            s.f.resolveHits();
            killsSeen += s.f.kills != killsBefore;
            const int16_t countBefore = s.f.enemyCount;
            auto lanesBefore = s.f.enemyLane;
            s.f.moveEnemies();
            exits += countBefore - s.f.enemyCount;
            for (int i = 0; i < game::kEnemySlots; ++i)
                laneChanges += s.f.enemyLane[i] != lanesBefore[i] && s.f.enemyLane[i] != game::kFreeSlot;
            s.f.ageParticles();
            // The key polling: the specials whenever the gauge allows.
            s.f.gauge += 3;
            if (frame % 397 == 0 && s.f.gauge > 49) s.f.fireVolley();
            if (frame % 211 == 0 && s.f.gauge > 99) s.f.fireWaveShots();
            if (frame % 503 == 0 && s.f.gauge > 24) s.f.freezeEnemies();
            s.g.sv.advance(20);

            const std::string broken = fake::checkInvariants(s.f) + simChecks(s.f);
            ASSERT_EQ(broken, "") << "difficulty " << c.difficulty << " frame " << frame;
        }
        EXPECT_GT(spawned, 200) << c.difficulty;
        EXPECT_GT(killsSeen, 200) << c.difficulty;
        totalExits += exits;
        totalLaneChanges += laneChanges;
    }
    EXPECT_GT(totalExits, 0) << "rushers leave through the bottom";
    EXPECT_GT(totalLaneChanges, 0);
}

}  // namespace
