#include <climits>
#include <vector>

#include "sim_fixture.h"

using namespace simtest;

namespace {

// A frame's spawning as the main loop does it: the gate draw (r at the gate in
// single precision does not pass, one float step above it does, nothing passes
// a freeze; the gate stops falling at level 13), both group draws whatever the
// difficulty and level, the GOLDEN FINGER pair, then the first member's lane
// (r 0.1: lane 0).
TEST(SimEnemies, SpawnGateGroupSizesAndTheirDraws) {
    const float pass = 0.99999994f, big = 0.995f;
    struct Case {
        int16_t difficulty;
        int32_t level;
        bool golden, frozen;
        std::vector<float> draws;
        int members;
    } cases[] = {{3, 1, 0, 0, {0.9687f}, 0},
                 {3, 1, 0, 0, {std::nextafter(0.9687f, 1.0f), 0.5f, 0.5f}, 1},
                 {3, 13, 0, 0, {0.82f}, 0},
                 {3, 13, 0, 0, {std::nextafter(0.82f, 1.0f), 0.5f, 0.5f}, 1},
                 {3, 1, 0, 1, {pass}, 0},          {3, 9, 0, 0, {pass, big, 0.5f}, 16},
                 {3, 8, 0, 0, {pass, big, big}, 1}, {2, 20, 0, 0, {pass, big, big}, 1},
                 {3, 15, 0, 0, {pass, 0.5f, big}, 30}, {4, 15, 0, 0, {pass, big, big}, 30},
                 {0, 1, 0, 0, {pass, big, big}, 1}, {0, 1, 1, 0, {pass, 0.5f, 0.5f, 0.9f, 0.99f}, 6},
                 {0, 1, 1, 0, {pass, 0.5f, 0.5f, 0.7f, 0.9f}, 1}, {3, 9, 1, 0, {pass, big, 0.5f, 0.9f, 0.5f}, 19}};
    for (const auto& c : cases) {
        Sim s(c.difficulty, c.level);
        s.f.mnulv[5].checked = c.golden, s.f.freezeTimer = c.frozen;
        s.f.rnd.queue(c.draws), s.f.rnd.queue({0.1f});
        if (s.f.spawnTest()) s.f.spawnEnemies();
        EXPECT_EQ(std::tuple(s.f.enemyCount, s.f.enemyLane[0]), std::tuple(c.members, c.members ? 0 : kFreeSlot))
            << "row " << &c - cases;
    }
}

// One spawn into lane 2 (r 0.5) at speed 1 + 0.7 s / 1.4, then the row's
// draws: the variant it becomes and how many draws it takes; a variant's draw
// is made only when its level and difficulty allow. Rows: plain at level 1; no
// rusher on SUPER EASY; a rusher; no sprinter draw on VERY EASY; the sprinter
// overrides the rusher; a sprinter miss takes no second draw; no fast sprinter
// on EASY; a fast sprinter; a lane-changer and its threshold; none with
// acceleration; every enemy from level 48; s capped at 12 up to level 13 and on
// EASY, at 13 above it.
TEST(SimEnemies, VariantsByLevelAndDifficulty) {
    // difficulty, level, the draws after the lane's, acceleration, speed, turn row
    const std::tuple<int16_t, int32_t, std::vector<float>, float, float, int16_t> cases[] = {{4, 1, {}, 0, 1.5f, 0}, {0, 3, {0.99f}, 0, 2.5f, 0},
                 {1, 3, {0.96f}, -1.24f, 32, 0}, {1, 5, {0.1f}, 0, 3.5f, 0},
                 {2, 5, {0.96f, 0.95f, 0.5f}, 0.1f, 0.1f, 0}, {2, 5, {0.1f, 0.94f}, 0, 3.5f, 0},
                 {2, 10, {0.1f, 0.1f}, 0, 6, 0}, {3, 10, {0.1f, 0.1f, 0.92f, 0.5f}, 0.2f, 0.1f, 0},
                 {3, 11, {0.1f, 0.1f, 0.1f, 0.73f, 0.5f}, 0, 6.5f, 195}, {3, 11, {0.1f, 0.1f, 0.1f, 0.72f}, 0, 6.5f, 0},
                 {4, 11, {0.96f, 0.1f, 0.1f, 0.99f}, -1.24f, 32, 0},
                 {3, 48, {0.1f, 0.1f, 0.1f, 0.0f, 0.999f}, 0, 7.5f, 269},
                 {3, 13, {0.1f, 0.1f, 0.1f, 0.1f}, 0, 7, 0}, {2, 40, {0.1f, 0.1f}, 0, 7, 0},
                 {3, 40, {0.1f, 0.1f, 0.1f, 0.1f}, 0, 7.5f, 0}};
    for (size_t row = 0; row < std::size(cases); ++row) {
        const auto& [difficulty, level, draws, accel, speed, turnY] = cases[row];
        Sim s(difficulty, level);
        s.f.rnd.queue({0.5f, 0.7f}), s.f.rnd.queue(draws);
        s.f.spawnOneEnemy();
        EXPECT_EQ(std::tuple(s.f.rnd.draws(), s.f.enemyLane[0], s.f.enemyY[0], s.f.enemyTick[0], s.f.enemyAccel[0],
                             s.f.enemySpeed[0], s.f.enemyTurnState[0], s.f.enemyTurnY[0]),
                  std::tuple(draws.size() + 2, int16_t{2}, 350.0f, s.g.sv.clock, accel, speed, int16_t{turnY != 0},
                             turnY))
            << "row " << row;
    }
}

// A spawn that fills a lane or the field to its limit stands; one over it in a
// lane re-routes (r 0.6: two lanes on) into a lane that may itself be full, one
// over it on the field is cancelled after the lane draw.
TEST(SimEnemies, LaneAndFieldLimitsPerDifficulty) {
    // difficulty, lane limit, field limit
    const std::tuple<int16_t, int, int> cases[] = {{0, 6, 12}, {1, 7, 15}, {2, 10, 20}, {3, 100, 100}, {4, 100, 100}};
    for (const auto& [difficulty, laneLimit, fieldLimit] : cases) {
        if (laneLimit < fieldLimit) {
            Sim s(difficulty);
            s.f.fieldEnemyLimit[difficulty] = 100;  // only the lane limit here
            for (int k = 1; k < 2 * laneLimit; ++k) s.placeEnemy(k % 2 ? 3 : 0, 300);
            s.f.rnd.queue({0.0f, 0.7f, 0.0f, 0.6f, 0.7f});
            s.f.spawnOneEnemy(), s.f.spawnOneEnemy();
            EXPECT_EQ(std::tuple(s.f.laneEnemyCount[0], s.f.laneEnemyCount[3], s.f.rnd.draws()),
                      std::tuple(laneLimit, laneLimit + 1, 5u))
                << difficulty;
            EXPECT_EQ(fake::checkInvariants(s.f), "");
        }
        Sim s(difficulty);
        for (int k = 1; k < fieldLimit; ++k) s.placeEnemy(static_cast<int16_t>(k % 5), 300);
        s.f.rnd.queue({0.5f, 0.7f, 0.5f});
        s.f.spawnOneEnemy(), s.f.spawnOneEnemy();
        EXPECT_EQ(std::tuple(s.f.enemyCount, s.f.rnd.draws()), std::tuple(fieldLimit, 3u)) << difficulty;
        EXPECT_EQ(fake::checkInvariants(s.f), "");
    }
}

// A freeze lasts frames, not milliseconds, with the tick's wrap before it or
// within it; a use while one runs adds 100 frames and keeps the first start
// tick. The order is the main loop's: the frame's moveEnemies, then the key
// polling. At speed 1 an enemy climbs 1/60 px a millisecond.
TEST(SimEnemies, FreezesLastFramesWhateverTheFrameRate) {
    for (int period : {10, 20, 50})
        for (int32_t start : {1'000'000, INT_MAX - 50, INT_MAX - 1000})
            for (int uses : {1, 3}) {
                Sim s(3, 1, start);
                s.f.gauge = 75, s.placeEnemy(0, 350);
                for (int frame = 0; frame < 400; ++frame, s.g.sv.advance(period)) {
                    s.f.frameTick = s.g.sv.clock, s.f.moveEnemies();
                    const int frozen = uses == 1 ? 150 : 350;
                    const int moving = frame <= 10 ? frame : std::max(10, frame - frozen);
                    ASSERT_NEAR(s.f.enemyY[0], 350 - period * moving / 60.0, 1e-3) << period << " ms " << uses;
                    if (frame >= 10 && frame < 10 + uses) s.f.freezeEnemies();
                }
                EXPECT_EQ(s.f.gauge, 75 - 25 * uses);
            }
}

}  // namespace
