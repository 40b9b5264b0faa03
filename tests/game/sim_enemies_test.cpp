#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "sim_fixture.h"

using game::kFreeSlot;
using simtest::Sim;

namespace {

// A frame's spawning as the main loop does it: the gate draw (r at the gate in
// single precision does not pass, one float step above it does, nothing passes
// a freeze; the gate stops falling at level 13), both group draws whatever the
// difficulty and level, the GOLDEN FINGER pair, then the first member's lane
// (r 0.1: lane 0).
TEST(SimEnemies, SpawnGateGroupSizesAndTheirDraws) {
    const float pass = 0.99999994f;
    struct Case {
        int16_t difficulty;
        int32_t level;
        bool golden, frozen;
        std::vector<float> draws;
        int members;
    };
    const Case cases[] = {{3, 1, false, false, {0.9687f}, 0},
                          {3, 1, false, false, {std::nextafter(0.9687f, 1.0f), 0.5f, 0.5f}, 1},
                          {3, 13, false, false, {0.82f}, 0},
                          {3, 13, false, false, {std::nextafter(0.82f, 1.0f), 0.5f, 0.5f}, 1},
                          {3, 1, false, true, {pass}, 0},
                          {3, 9, false, false, {pass, 0.995f, 0.5f}, 16},
                          {3, 8, false, false, {pass, 0.995f, 0.995f}, 1},
                          {2, 20, false, false, {pass, 0.995f, 0.995f}, 1},
                          {3, 15, false, false, {pass, 0.5f, 0.995f}, 30},
                          {4, 15, false, false, {pass, 0.995f, 0.995f}, 30},
                          {0, 1, false, false, {pass, 0.995f, 0.995f}, 1},
                          {0, 1, true, false, {pass, 0.5f, 0.5f, 0.9f, 0.99f}, 6},
                          {0, 1, true, false, {pass, 0.5f, 0.5f, 0.7f, 0.9f}, 1},
                          {3, 9, true, false, {pass, 0.995f, 0.5f, 0.9f, 0.5f}, 19}};
    for (const auto& c : cases) {
        Sim s(c.difficulty, c.level);
        s.f.mnulv[5].checked = c.golden;
        s.f.freezeTimer = c.frozen;
        s.f.rnd.queue(c.draws);
        s.f.rnd.queue({0.1f});
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
    struct Case {
        int16_t difficulty;
        int32_t level;
        std::vector<float> draws;
        float accel, speed;
        int16_t turnY;
    };
    const Case cases[] = {{4, 1, {}, 0, 1.5f, 0},
                          {0, 3, {0.99f}, 0, 2.5f, 0},
                          {1, 3, {0.96f}, -1.24f, 32, 0},
                          {1, 5, {0.1f}, 0, 3.5f, 0},
                          {2, 5, {0.96f, 0.95f, 0.5f}, 0.1f, 0.1f, 0},
                          {2, 5, {0.1f, 0.94f}, 0, 3.5f, 0},
                          {2, 10, {0.1f, 0.1f}, 0, 6, 0},
                          {3, 10, {0.1f, 0.1f, 0.92f, 0.5f}, 0.2f, 0.1f, 0},
                          {3, 11, {0.1f, 0.1f, 0.1f, 0.73f, 0.5f}, 0, 6.5f, 195},
                          {3, 11, {0.1f, 0.1f, 0.1f, 0.72f}, 0, 6.5f, 0},
                          {4, 11, {0.96f, 0.1f, 0.1f, 0.99f}, -1.24f, 32, 0},
                          {3, 48, {0.1f, 0.1f, 0.1f, 0.0f, 0.999f}, 0, 7.5f, 269},
                          {3, 13, {0.1f, 0.1f, 0.1f, 0.1f}, 0, 7, 0},
                          {2, 40, {0.1f, 0.1f}, 0, 7, 0},
                          {3, 40, {0.1f, 0.1f, 0.1f, 0.1f}, 0, 7.5f, 0}};
    for (const auto& c : cases) {
        Sim s(c.difficulty, c.level);
        s.f.rnd.queue({0.5f, 0.7f});
        s.f.rnd.queue(c.draws);
        s.f.spawnOneEnemy();
        EXPECT_EQ(std::tuple(s.f.rnd.draws(), s.f.enemyLane[0], s.f.enemyY[0], s.f.enemyTick[0]),
                  std::tuple(c.draws.size() + 2, int16_t{2}, 350.0f, s.g.sv.clock))
            << "row " << &c - cases;
        EXPECT_EQ(std::tuple(s.f.enemyAccel[0], s.f.enemySpeed[0], s.f.enemyTurnState[0], s.f.enemyTurnY[0]),
                  std::tuple(c.accel, c.speed, int16_t{c.turnY != 0}, c.turnY))
            << "row " << &c - cases;
    }
}

// A spawn that fills a lane or the field to its limit stands; one over it in a
// lane re-routes (r 0.6: two lanes on) into a lane that may itself be full, one
// over it on the field is cancelled after the lane draw.
TEST(SimEnemies, LaneAndFieldLimitsPerDifficulty) {
    struct Case {
        int16_t difficulty;
        int laneLimit, fieldLimit;
    } cases[] = {{0, 6, 12}, {1, 7, 15}, {2, 10, 20}, {3, 100, 100}, {4, 100, 100}};
    for (const auto& c : cases) {
        if (c.laneLimit < c.fieldLimit) {
            Sim s(c.difficulty);
            s.f.fieldEnemyLimit[c.difficulty] = 100;  // only the lane limit here
            for (int k = 1; k < 2 * c.laneLimit; ++k) s.placeEnemy(k % 2 ? 3 : 0, 300);
            s.f.rnd.queue({0.0f, 0.7f, 0.0f, 0.6f, 0.7f});
            s.f.spawnOneEnemy();
            s.f.spawnOneEnemy();
            EXPECT_EQ(std::tuple(s.f.laneEnemyCount[0], s.f.laneEnemyCount[3], s.f.rnd.draws()),
                      std::tuple(c.laneLimit, c.laneLimit + 1, 5u))
                << c.difficulty;
            EXPECT_EQ(fake::checkInvariants(s.f), "");
        }
        Sim s(c.difficulty);
        for (int k = 1; k < c.fieldLimit; ++k) s.placeEnemy(static_cast<int16_t>(k % 5), 300);
        s.f.rnd.queue({0.5f, 0.7f, 0.5f});
        s.f.spawnOneEnemy();
        s.f.spawnOneEnemy();
        EXPECT_EQ(std::tuple(s.f.enemyCount, s.f.rnd.draws()), std::tuple(c.fieldLimit, 3u)) << c.difficulty;
        EXPECT_EQ(fake::checkInvariants(s.f), "");
    }
}

// An unshot rusher turns short of the top and leaves through the bottom, and
// leaving takes it off both counters: otherwise every exit would shrink the
// room for spawning for good (VERY EASY would stop after fifteen).
TEST(SimEnemies, RusherTurnsShortOfTheTopAndLeavesAtTheBottom) {
    Sim s(1, 3);
    s.f.rnd.queue({0.5f, 0.7f, 0.96f});
    s.f.spawnOneEnemy();
    float highest = 350;
    int age = 0;
    for (; s.f.enemyLane[0] != kFreeSlot && age < 3000; age += 10, s.g.sv.advance(10), s.f.moveEnemies())
        highest = std::min(highest, s.f.enemyY[0]);
    EXPECT_NEAR(highest, 5.92, 0.01);
    EXPECT_EQ(std::tuple(age, s.f.gameOver, s.f.enemyCount), std::tuple(2620, 0, 0));
    EXPECT_EQ(fake::checkInvariants(s.f), "");
}

// 50 ms of pause at the turning row, the lane change halfway through it, then
// the climb on at 94 % of the speed.
TEST(SimEnemies, LaneChangerPausesChangesLaneOnceAndClimbsOnSlower) {
    Sim s;
    s.placeEnemy(1, 350, 6, 1, 200);
    s.f.rnd.queue({0.3f});
    struct Step {
        int age;
        int16_t state, lane;
        float y;
    } steps[] = {{1500, 1, 1, 200}, {1510, 2, 1, 199}, {1640, 2, 1, 199},    {1650, 3, 3, 199},
                 {1690, 3, 3, 199}, {1700, 0, 3, 199}, {1710, 0, 3, 198.66f}};
    int age = 0;
    for (const auto& st : steps) {
        for (; age < st.age; age += 10) s.g.sv.advance(10), s.f.moveEnemies();
        EXPECT_EQ(std::tuple(s.f.enemyTurnState[0], s.f.enemyLane[0]), std::tuple(st.state, st.lane)) << age;
        EXPECT_NEAR(s.f.enemyY[0], st.y, 0.01) << age;
        EXPECT_EQ(fake::checkInvariants(s.f), "");
    }
    EXPECT_FLOAT_EQ(s.f.enemySpeed[0], 5.64f);
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
                s.f.gauge = 75;
                s.placeEnemy(0, 350);
                for (int frame = 0; frame < 400; ++frame, s.g.sv.advance(period)) {
                    s.f.frameTick = s.g.sv.clock;
                    s.f.moveEnemies();
                    const int frozen = uses == 1 ? 150 : 350;
                    const int moving = frame <= 10 ? frame : std::max(10, frame - frozen);
                    ASSERT_NEAR(s.f.enemyY[0], 350 - period * moving / 60.0, 1e-3) << period << " ms " << uses;
                    if (frame >= 10 && frame < 10 + uses) s.f.freezeEnemies();
                }
                EXPECT_EQ(s.f.gauge, 75 - 25 * uses);
            }
}

}  // namespace
