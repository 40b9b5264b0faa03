// SPDX-License-Identifier: GPL-3.0-or-later
// Enemies: the spawn gate and group sizes, the variants, the lane and field
// limits, and the freeze.
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
        bool golden = false, frozen = false;
        std::vector<float> draws;
        int members;
    };
    const Case cases[] = {
        {.difficulty = 3, .level = 1, .draws = {0.9687f}, .members = 0},
        {.difficulty = 3, .level = 1, .draws = {std::nextafter(0.9687f, 1.0f), 0.5f, 0.5f}, .members = 1},
        {.difficulty = 3, .level = 13, .draws = {0.82f}, .members = 0},
        {.difficulty = 3, .level = 13, .draws = {std::nextafter(0.82f, 1.0f), 0.5f, 0.5f}, .members = 1},
        {.difficulty = 3, .level = 1, .frozen = true, .draws = {pass}, .members = 0},
        {.difficulty = 3, .level = 9, .draws = {pass, big, 0.5f}, .members = 16},
        {.difficulty = 3, .level = 8, .draws = {pass, big, big}, .members = 1},
        {.difficulty = 2, .level = 20, .draws = {pass, big, big}, .members = 1},
        {.difficulty = 3, .level = 15, .draws = {pass, 0.5f, big}, .members = 30},
        {.difficulty = 4, .level = 15, .draws = {pass, big, big}, .members = 30},
        {.difficulty = 0, .level = 1, .draws = {pass, big, big}, .members = 1},
        {.difficulty = 0, .level = 1, .golden = true, .draws = {pass, 0.5f, 0.5f, 0.9f, 0.99f}, .members = 6},
        {.difficulty = 0, .level = 1, .golden = true, .draws = {pass, 0.5f, 0.5f, 0.7f, 0.9f}, .members = 1},
        {.difficulty = 3, .level = 9, .golden = true, .draws = {pass, big, 0.5f, 0.9f, 0.5f}, .members = 19},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << &c - cases);
        Sim s(c.difficulty, c.level);
        s.f.mnulv[5].checked = c.golden;
        s.f.freezeTimer = c.frozen;
        s.f.rnd.queue(c.draws);
        s.f.rnd.queue({0.1f});
        if (s.f.spawnTest()) s.f.spawnEnemies();
        EXPECT_EQ(s.f.enemyCount, c.members);
        EXPECT_EQ(s.f.enemyLane[0], c.members ? 0 : kFreeSlot);
    }
}

// One spawn into lane 2 (r 0.5) at speed 1 + 0.7 s / 1.4, then the row's
// draws: the variant it becomes and how many draws it takes; a variant's draw
// is made only when its level and difficulty allow. s is capped at 12 up to
// level 13 and on EASY, at 13 above it.
TEST(SimEnemies, VariantsByLevelAndDifficulty) {
    struct Case {
        const char* name;
        int16_t difficulty;
        int32_t level;
        std::vector<float> draws;  // after the lane's and the speed's
        float accel, speed;
        int16_t turnY;  // 0: it never changes lanes
    };
    const Case cases[] = {
        {.name = "plain at level 1", .difficulty = 4, .level = 1, .draws = {}, .accel = 0, .speed = 1.5f, .turnY = 0},
        {.name = "no rusher on SUPER EASY",
         .difficulty = 0,
         .level = 3,
         .draws = {0.99f},
         .accel = 0,
         .speed = 2.5f,
         .turnY = 0},
        {.name = "a rusher", .difficulty = 1, .level = 3, .draws = {0.96f}, .accel = -1.24f, .speed = 32, .turnY = 0},
        {.name = "no sprinter draw on VERY EASY",
         .difficulty = 1,
         .level = 5,
         .draws = {0.1f},
         .accel = 0,
         .speed = 3.5f,
         .turnY = 0},
        {.name = "the sprinter overrides the rusher",
         .difficulty = 2,
         .level = 5,
         .draws = {0.96f, 0.95f, 0.5f},
         .accel = 0.1f,
         .speed = 0.1f,
         .turnY = 0},
        {.name = "a sprinter miss takes no second draw",
         .difficulty = 2,
         .level = 5,
         .draws = {0.1f, 0.94f},
         .accel = 0,
         .speed = 3.5f,
         .turnY = 0},
        {.name = "no fast sprinter on EASY",
         .difficulty = 2,
         .level = 10,
         .draws = {0.1f, 0.1f},
         .accel = 0,
         .speed = 6,
         .turnY = 0},
        {.name = "a fast sprinter",
         .difficulty = 3,
         .level = 10,
         .draws = {0.1f, 0.1f, 0.92f, 0.5f},
         .accel = 0.2f,
         .speed = 0.1f,
         .turnY = 0},
        {.name = "a lane-changer",
         .difficulty = 3,
         .level = 11,
         .draws = {0.1f, 0.1f, 0.1f, 0.73f, 0.5f},
         .accel = 0,
         .speed = 6.5f,
         .turnY = 195},
        {.name = "just no lane-changer",
         .difficulty = 3,
         .level = 11,
         .draws = {0.1f, 0.1f, 0.1f, 0.72f},
         .accel = 0,
         .speed = 6.5f,
         .turnY = 0},
        {.name = "no lane-changer with acceleration",
         .difficulty = 4,
         .level = 11,
         .draws = {0.96f, 0.1f, 0.1f, 0.99f},
         .accel = -1.24f,
         .speed = 32,
         .turnY = 0},
        {.name = "every enemy changes lanes from level 48",
         .difficulty = 3,
         .level = 48,
         .draws = {0.1f, 0.1f, 0.1f, 0.0f, 0.999f},
         .accel = 0,
         .speed = 7.5f,
         .turnY = 269},
        {.name = "s capped at 12 at level 13",
         .difficulty = 3,
         .level = 13,
         .draws = {0.1f, 0.1f, 0.1f, 0.1f},
         .accel = 0,
         .speed = 7,
         .turnY = 0},
        {.name = "s capped at 12 on EASY",
         .difficulty = 2,
         .level = 40,
         .draws = {0.1f, 0.1f},
         .accel = 0,
         .speed = 7,
         .turnY = 0},
        {.name = "s capped at 13 above level 13",
         .difficulty = 3,
         .level = 40,
         .draws = {0.1f, 0.1f, 0.1f, 0.1f},
         .accel = 0,
         .speed = 7.5f,
         .turnY = 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sim s(c.difficulty, c.level);
        s.f.rnd.queue({0.5f, 0.7f});
        s.f.rnd.queue(c.draws);
        s.f.spawnOneEnemy();
        EXPECT_EQ(s.f.rnd.draws(), c.draws.size() + 2);
        EXPECT_EQ(s.f.enemyLane[0], 2);
        EXPECT_EQ(s.f.enemyY[0], 350.0f);
        EXPECT_EQ(s.f.enemyTick[0], s.g.sv.clock);
        EXPECT_EQ(s.f.enemyAccel[0], c.accel);
        EXPECT_EQ(s.f.enemySpeed[0], c.speed);
        EXPECT_EQ(s.f.enemyTurnState[0], c.turnY != 0);
        EXPECT_EQ(s.f.enemyTurnY[0], c.turnY);
    }
}

// A spawn that fills a lane or the field to its limit stands; one over it in a
// lane re-routes (r 0.6: two lanes on) into a lane that may itself be full, one
// over it on the field is cancelled after the lane draw.
TEST(SimEnemies, LaneAndFieldLimitsPerDifficulty) {
    struct Case {
        int16_t difficulty;
        int laneLimit, fieldLimit;
    };
    const Case cases[] = {
        {.difficulty = 0, .laneLimit = 6, .fieldLimit = 12},    {.difficulty = 1, .laneLimit = 7, .fieldLimit = 15},
        {.difficulty = 2, .laneLimit = 10, .fieldLimit = 20},   {.difficulty = 3, .laneLimit = 100, .fieldLimit = 100},
        {.difficulty = 4, .laneLimit = 100, .fieldLimit = 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "difficulty " << c.difficulty);
        if (c.laneLimit < c.fieldLimit) {
            Sim s(c.difficulty);
            s.f.fieldEnemyLimit[c.difficulty] = 100;  // only the lane limit here
            for (int k = 1; k < 2 * c.laneLimit; ++k) s.placeEnemy(k % 2 ? 3 : 0, 300);
            s.f.rnd.queue({0.0f, 0.7f, 0.0f, 0.6f, 0.7f});
            s.f.spawnOneEnemy();
            s.f.spawnOneEnemy();
            EXPECT_EQ(s.f.laneEnemyCount[0], c.laneLimit) << "the lane filled to its limit";
            EXPECT_EQ(s.f.laneEnemyCount[3], c.laneLimit + 1) << "the re-routed spawn";
            EXPECT_EQ(s.f.rnd.draws(), 5u);
            EXPECT_EQ(fake::checkInvariants(s.f), "");
        }
        Sim s(c.difficulty);
        for (int k = 1; k < c.fieldLimit; ++k) s.placeEnemy(static_cast<int16_t>(k % 5), 300);
        s.f.rnd.queue({0.5f, 0.7f, 0.5f});
        s.f.spawnOneEnemy();
        s.f.spawnOneEnemy();
        EXPECT_EQ(s.f.enemyCount, c.fieldLimit);
        EXPECT_EQ(s.f.rnd.draws(), 3u) << "the cancelled spawn draws its lane only";
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
                SCOPED_TRACE(testing::Message() << period << " ms frames from " << start << ", " << uses << " uses");
                Sim s(3, 1, start);
                s.f.gauge = 75;
                s.placeEnemy(0, 350);
                for (int frame = 0; frame < 400; ++frame) {
                    s.f.frameTick = s.g.sv.clock;
                    s.f.moveEnemies();
                    const int frozen = uses == 1 ? 150 : 350;
                    const int moving = frame <= 10 ? frame : std::max(10, frame - frozen);
                    ASSERT_NEAR(s.f.enemyY[0], 350 - period * moving / 60.0, 1e-3) << "frame " << frame;
                    if (frame >= 10 && frame < 10 + uses) s.f.freezeEnemies();
                    s.g.sv.advance(period);
                }
                EXPECT_EQ(s.f.gauge, 75 - 25 * uses);
            }
}

}  // namespace
