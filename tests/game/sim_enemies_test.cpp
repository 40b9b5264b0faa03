#include <climits>
#include <cmath>
#include <vector>

#include "sim_fixture.h"

using game::kFreeSlot;
using simtest::Sim;

namespace {

TEST(SimEnemies, SpawnGateByLevelAndFreeze) {
    struct Case {
        int32_t level;
        int32_t freeze;
        double gate;
    } cases[] = {{1, 0, 0.9687}, {5, 0, 0.9155}, {12, 0, 0.8224}, {13, 0, 0.82}, {400, 0, 0.82}, {1, 1, 1.0}};
    for (const auto& c : cases) {
        Sim s(3, c.level);
        s.f.freezeTimer = c.freeze;
        const float g32 = static_cast<float>(c.gate);
        s.f.rnd.queue({g32, std::min(std::nextafter(g32, 2.0f), 0.99999994f), 0.99999994f});
        EXPECT_FALSE(s.f.spawnTest()) << c.level;
        EXPECT_NEAR(s.f.frameGate, c.gate, 1e-12);
        EXPECT_EQ(s.f.spawnTest(), c.freeze == 0) << "r one step above the single-precision gate";
        EXPECT_EQ(s.f.spawnTest(), c.freeze == 0);
    }
}

TEST(SimEnemies, GroupSizesAndTheirDraws) {
    struct Case {
        int16_t difficulty;
        int32_t level;
        bool golden;
        std::vector<float> draws;  // the group's own draws
        int members;
    } cases[] = {
        {3, 9, false, {0.995f, 0.5f}, 16},  {3, 8, false, {0.995f, 0.995f}, 1},
        {2, 20, false, {0.995f, 0.995f}, 1}, {3, 15, false, {0.5f, 0.995f}, 30},
        {4, 15, false, {0.995f, 0.995f}, 30}, {3, 15, false, {0.98f, 0.98f}, 1},
        {0, 1, true, {0.5f, 0.5f, 0.9f, 0.99f}, 6}, {0, 1, true, {0.5f, 0.5f, 0.7f, 0.99f}, 1},
        {3, 9, true, {0.995f, 0.5f, 0.9f, 0.5f}, 19},
    };
    for (const auto& c : cases) {
        Sim s(c.difficulty, c.level);
        s.f.mnulv[5].checked = c.golden;
        s.f.rnd.queue(c.draws);
        s.f.spawnEnemies();
        EXPECT_EQ(s.f.enemyCount, c.members) << "difficulty " << c.difficulty << " level " << c.level;
        EXPECT_EQ(fake::checkInvariants(s.f), "");
    }
}

TEST(SimEnemies, BothGroupDrawsAreMadeOnEveryCall) {
    for (int16_t d = 0; d < 5; ++d) {
        Sim s(d, 1);
        s.f.rnd.queue({0.995f, 0.995f, 0.1f, 0.7f});
        const auto before = s.f.rnd.draws();
        s.f.spawnEnemies();
        ASSERT_EQ(s.f.enemyCount, 1);
        EXPECT_EQ(s.f.enemyLane[0], 0) << "the lane draw is the third";
        EXPECT_FLOAT_EQ(s.f.enemySpeed[0], 1.5f);
        EXPECT_EQ(s.f.rnd.draws() - before, 4u);
    }
}

// One spawn: which variant it becomes and how many draws it takes.
TEST(SimEnemies, VariantsByLevelAndDifficulty) {
    struct Case {
        const char* what;
        int16_t difficulty;
        int32_t level;
        std::vector<float> draws;
        float accel, speed;
        int16_t turnState, turnY;
    } cases[] = {
        {"plain at level 1", 4, 1, {0.5f, 0.7f}, 0, 1.5f, 0, 0},
        {"no rusher on SUPER EASY", 0, 3, {0.5f, 0.7f, 0.99f}, 0, 2.5f, 0, 0},
        {"rusher", 1, 3, {0.5f, 0.7f, 0.96f}, -1.24f, 32, 0, 0},
        {"no sprinter draw on VERY EASY", 1, 5, {0.5f, 0.7f, 0.1f}, 0, 3.5f, 0, 0},
        {"sprinter over rusher", 2, 5, {0.5f, 0.7f, 0.96f, 0.95f, 0.5f}, 0.1f, 0.1f, 0, 0},
        {"sprinter miss takes no second draw", 2, 5, {0.5f, 0.7f, 0.1f, 0.94f}, 0, 3.5f, 0, 0},
        {"no fast sprinter on EASY", 2, 10, {0.5f, 0.7f, 0.1f, 0.1f}, 0, 6, 0, 0},
        {"fast sprinter", 3, 10, {0.5f, 0.7f, 0.1f, 0.1f, 0.92f, 0.5f}, 0.2f, 0.1f, 0, 0},
        {"lane-changer", 3, 11, {0.5f, 0.7f, 0.1f, 0.1f, 0.1f, 0.73f, 0.5f}, 0, 6.5f, 1, 195},
        {"lane-changer threshold", 3, 11, {0.5f, 0.7f, 0.1f, 0.1f, 0.1f, 0.72f}, 0, 6.5f, 0, 0},
        {"no lane change with acceleration", 4, 11, {0.5f, 0.7f, 0.96f, 0.1f, 0.1f, 0.99f}, -1.24f, 32, 0, 0},
        {"everyone changes lane from 48", 3, 48, {0.5f, 0.7f, 0.1f, 0.1f, 0.1f, 0.0f, 0.999f}, 0, 7.5f, 1, 269},
        {"speed cap 12 at exactly 13 on NORMAL", 3, 13, {0.5f, 0.7f, 0.1f, 0.1f, 0.1f, 0.1f}, 0, 7, 0, 0},
        {"speed cap 13 on NORMAL", 3, 40, {0.5f, 0.7f, 0.1f, 0.1f, 0.1f, 0.1f}, 0, 7.5f, 0, 0},
        {"speed cap 12 on EASY", 2, 40, {0.5f, 0.7f, 0.1f, 0.1f}, 0, 7, 0, 0},
    };
    for (const auto& c : cases) {
        Sim s(c.difficulty, c.level);
        s.f.rnd.queue(c.draws);
        const auto before = s.f.rnd.draws();
        s.f.spawnOneEnemy();
        EXPECT_EQ(s.f.rnd.draws() - before, c.draws.size()) << c.what;
        EXPECT_EQ(s.f.enemyLane[0], 2) << c.what;
        EXPECT_FLOAT_EQ(s.f.enemyAccel[0], c.accel) << c.what;
        EXPECT_FLOAT_EQ(s.f.enemySpeed[0], c.speed) << c.what;
        EXPECT_EQ(s.f.enemyTurnState[0], c.turnState) << c.what;
        EXPECT_EQ(s.f.enemyTurnY[0], c.turnY) << c.what;
        EXPECT_EQ(s.f.enemyY[0], 350.0f);
        EXPECT_EQ(s.f.enemyTick[0], s.g.sv.clock);
    }
}

TEST(SimEnemies, LaneAndFieldLimitsPerDifficulty) {
    struct Case {
        int16_t difficulty;
        int laneLimit, fieldLimit;
    } cases[] = {{0, 6, 12}, {1, 7, 15}, {2, 10, 20}, {3, 100, 100}, {4, 100, 100}};
    for (const auto& c : cases) {
        // A full lane re-routes (r 0.6 -> two lanes on), into a lane that may
        // itself be full.
        if (c.laneLimit < c.fieldLimit) {
            Sim s(c.difficulty);
            s.f.fieldEnemyLimit[c.difficulty] = 100;  // only the lane limit is under test here
            for (int k = 0; k < c.laneLimit; ++k) s.placeEnemy(0, 300), s.placeEnemy(3, 300);
            s.f.rnd.queue({0.0f, 0.6f, 0.7f});
            const auto before = s.f.rnd.draws();
            s.f.spawnOneEnemy();
            EXPECT_EQ(s.f.rnd.draws() - before, 3u);
            EXPECT_EQ(s.f.enemyLane[2 * c.laneLimit], 3);
            EXPECT_EQ(s.f.laneEnemyCount[0], c.laneLimit);
            EXPECT_EQ(s.f.laneEnemyCount[3], c.laneLimit + 1);
        }
        // A full field cancels after the lane draw and leaves the slot free.
        Sim s(c.difficulty);
        for (int k = 0; k < c.fieldLimit; ++k) s.placeEnemy(static_cast<int16_t>(k % 5), 300);
        s.f.rnd.queue({0.5f, 0.7f});
        const auto before = s.f.rnd.draws();
        s.f.spawnOneEnemy();
        EXPECT_EQ(s.f.enemyCount, c.fieldLimit) << c.difficulty;
        EXPECT_EQ(s.f.enemyLane[c.fieldLimit], kFreeSlot);
        EXPECT_EQ(s.f.rnd.draws() - before, 1u) << "a cancelled spawn draws only its lane";
        EXPECT_EQ(fake::checkInvariants(s.f), "");
    }
}

TEST(SimEnemies, GroupOfThirtyOnACrowdedField) {
    Sim s(3, 15);
    for (int k = 0; k < 95; ++k) s.placeEnemy(static_cast<int16_t>(k % 5), 300);
    s.f.rnd.queue({0.5f, 0.995f});
    s.f.spawnEnemies();
    EXPECT_EQ(s.f.enemyCount, 100);
    EXPECT_EQ(s.f.enemyLane[100], kFreeSlot);
    EXPECT_EQ(fake::checkInvariants(s.f), "");
}

TEST(SimEnemies, RusherTurnsShortOfTheTopAndLeavesAtTheBottom) {
    Sim s(1, 3);
    s.f.rnd.queue({0.5f, 0.7f, 0.96f});
    s.f.spawnOneEnemy();
    float highest = 350;
    int exitAge = -1;
    for (int age = 10; age <= 3000 && exitAge < 0; age += 10) {
        s.g.sv.advance(10);
        s.f.moveEnemies();
        if (s.f.enemyLane[0] == kFreeSlot)
            exitAge = age;
        else
            highest = std::min(highest, s.f.enemyY[0]);
    }
    EXPECT_NEAR(highest, 5.92, 0.01);
    EXPECT_EQ(exitAge, 2620);
    EXPECT_EQ(s.f.gameOver, 0);
    EXPECT_EQ(s.f.enemyCount, 0) << "the bottom exit takes the enemy off the counters";
    EXPECT_EQ(fake::checkInvariants(s.f), "");
}

TEST(SimEnemies, BottomExitsDoNotUseUpTheField) {
    Sim s(1, 3);
    for (int k = 0; k < 20; ++k) {
        s.placeEnemy(static_cast<int16_t>(k % 5), 350, 32, -1.24f);
        s.g.sv.advance(2700);
        s.f.moveEnemies();
    }
    s.f.rnd.queue({0.5f, 0.7f, 0.1f});
    s.f.spawnOneEnemy();
    EXPECT_EQ(s.f.enemyLane[0], 2) << "VERY EASY still spawns after twenty exits";
    EXPECT_EQ(s.f.enemyCount, 1);
}

TEST(SimEnemies, LaneChangerPausesChangesLaneOnceAndClimbsOnSlower) {
    Sim s;
    const int i = s.placeEnemy(1, 350, 6, 0, 1, 200);
    struct Step {
        int age;
        int16_t state, lane;
        float y;
    } steps[] = {{1500, 1, 1, 200},   {1510, 2, 1, 199},   {1640, 2, 1, 199}, {1650, 3, 3, 199},
                 {1690, 3, 3, 199},   {1700, 0, 3, 199},   {1710, 0, 3, 198.66f}};
    s.f.rnd.queue({0.3f});
    int age = 0;
    for (const auto& st : steps) {
        while (age < st.age) {
            s.g.sv.advance(10);
            age += 10;
            s.f.moveEnemies();
        }
        EXPECT_EQ(s.f.enemyTurnState[i], st.state) << "age " << age;
        EXPECT_EQ(s.f.enemyLane[i], st.lane) << "age " << age;
        EXPECT_NEAR(s.f.enemyY[i], st.y, 0.01) << "age " << age;
        EXPECT_EQ(fake::checkInvariants(s.f), "");
    }
    EXPECT_FLOAT_EQ(s.f.enemySpeed[i], 5.64f);
    EXPECT_EQ(s.f.laneEnemyCount[1], 0);
    EXPECT_EQ(s.f.laneEnemyCount[3], 1);
}

TEST(SimEnemies, AnimationFlipsBySpeedEvenWhileFrozen) {
    struct Case {
        float speed;
        int period;
    } cases[] = {{1, 9}, {0.1f, 9}, {9, 1}, {9.5f, 1}, {7.5f, 2}, {32, 24}};
    for (const auto& c : cases) {
        Sim s;
        const int i = s.placeEnemy(0, 200, c.speed);
        s.f.freezeTimer = 1000;
        std::vector<int> flips;
        for (int frame = 1; frame <= 50; ++frame) {
            const int16_t before = s.f.enemyFrame[i];
            s.f.moveEnemies();
            if (s.f.enemyFrame[i] != before) flips.push_back(frame);
        }
        ASSERT_GE(flips.size(), 2u) << c.speed;
        EXPECT_EQ(flips[0], c.period) << c.speed;
        EXPECT_EQ(flips[1] - flips[0], c.period) << c.speed;
        EXPECT_EQ(s.f.enemyY[i], 200.0f);
    }
}

TEST(SimEnemies, GettingThrough) {
    struct Case {
        std::vector<int16_t> lanesThrough;
        int16_t gameOver, caught;
    } cases[] = {{{}, 0, 0}, {{4}, -1, 0}, {{2}, -1, -1}, {{0, 2}, -1, -1}};
    for (const auto& c : cases) {
        Sim s;  // heroine in lane 2
        s.placeEnemy(2, 100);
        for (int16_t lane : c.lanesThrough) s.placeEnemy(lane, -0.5f);
        s.f.freezeTimer = 5;  // getting through is tested while frozen as well
        s.f.moveEnemies();
        EXPECT_EQ(s.f.gameOver, c.gameOver);
        EXPECT_EQ(s.f.caughtInLane, c.caught);
        EXPECT_EQ(s.f.enemyCount, static_cast<int>(c.lanesThrough.size()) + 1) << "they stay in the table";
    }
}

// The main loop's order around a freeze: the frame's moveEnemies, then the
// key polling that starts the freeze with the frame's own start tick.
TEST(SimEnemies, FreezeLastsFramesWhateverTheFrameRate) {
    for (int period : {10, 20, 50}) {
        for (int32_t start : {1'000'000, INT_MAX - 1000}) {
            std::vector<float> free, frozen;
            auto run = [&](std::vector<float>& ys, bool freeze) {
                Sim t(3, 1, start);
                const int i = t.placeEnemy(0, 350, 3);
                for (int frame = 0; frame < 200; ++frame) {
                    t.f.frameTick = t.g.sv.clock;
                    t.f.moveEnemies();
                    ys.push_back(t.f.enemyY[i]);
                    if (freeze && frame == 10) t.f.freezeEnemies();
                    t.g.sv.advance(period);
                }
            };
            run(free, false);
            run(frozen, true);
            for (int frame = 11; frame <= 160; ++frame) EXPECT_EQ(frozen[frame], free[10]) << period << " " << frame;
            for (int frame = 161; frame < 200; ++frame) EXPECT_EQ(frozen[frame], free[frame - 150]) << period;
        }
    }
}

TEST(SimEnemies, ThreeFreezesInARowGiveThreeHundredFiftyFrames) {
    Sim s;
    s.placeEnemy(0, 350, 3);
    s.f.gauge = 75;
    const int32_t started = s.f.frameTick;
    s.f.freezeEnemies();
    s.g.sv.advance(20);
    s.f.frameTick = s.g.sv.clock;
    s.f.freezeEnemies();
    s.f.freezeEnemies();
    EXPECT_EQ(s.f.freezeTimer, 350);
    EXPECT_EQ(s.f.freezeStartTick, started);
    EXPECT_EQ(s.f.gauge, 0);
    int frames = 0;
    while (s.f.freezeTimer > 0 && frames < 1000) {
        s.f.rnd.queue({0.99999994f});
        EXPECT_FALSE(s.f.spawnTest());
        s.f.moveEnemies();
        ++frames;
    }
    EXPECT_EQ(frames, 350);
    EXPECT_EQ(s.f.freezeLength, 20);
}

}  // namespace
