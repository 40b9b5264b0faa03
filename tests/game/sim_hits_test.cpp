#include <cmath>

#include "sim_fixture.h"

using namespace simtest;

namespace {

// The band is open at both ends (52 px below misses, level misses); an enemy
// past its turning pause cannot be hit, one above the top edge always is.
TEST(SimHits, BandEdgesAndLaneChangeImmunity) {
    struct Case {
        float shotY, enemyY;
        int16_t turnState;
        bool hit;
    } cases[] = {{252, 200, 0, false}, {251, 200, 0, true},  {200, 200, 0, false}, {201, 200, 0, true},
                 {220, 200, 1, true},  {220, 200, 2, false}, {220, 200, 3, false}, {100, -0.5f, 3, true}};
    for (const auto& c : cases) {
        Sim s;
        s.placeShot(1, c.shotY);
        s.placeEnemy(1, c.enemyY, 1, c.turnState, 210);
        s.placeEnemy(2, c.enemyY);  // never hit from another lane
        s.f.resolveHits();
        // The explosion's row is Int, rounded down: -0.5 gives -1.
        const auto row = static_cast<int16_t>(c.hit ? std::floor(c.enemyY) : 0);
        EXPECT_EQ(std::tuple(s.f.enemyLane[0] == kFreeSlot, s.f.enemyLane[1], s.f.particleY[0]),
                  std::tuple(c.hit, int16_t{2}, row))
            << "row " << &c - cases;
    }
}

TEST(SimHits, GaugeGainByDifficultyAtItsThresholds) {
    struct Case {
        int16_t difficulty;
        int32_t level, gauge, power;
        int16_t wave;
        int32_t gain;
    } cases[] = {{0, 9, 74, 1, 0, 1}, {0, 9, 73, 1, 0, 2}, {0, 8, 0, 1, 0, 1},   {0, 1, 0, 5, 0, 4},
                 {0, 1, 0, 4, 0, 1},  {0, 1, 0, 5, 1, 1},  {1, 11, 48, 1, 0, 2}, {1, 11, 49, 1, 0, 1},
                 {1, 10, 0, 1, 0, 1}, {2, 9, 0, 5, 0, 3},  {2, 10, 0, 5, 0, 2},  {2, 12, 0, 5, 1, 2},
                 {3, 50, 0, 6, 0, 1}, {3, 50, 0, 7, 0, 2}, {3, 50, 0, 7, 1, 1},  {4, 50, 0, 9, 0, 0}};
    for (const auto& c : cases) {
        Sim s(c.difficulty, c.level);
        s.f.gauge = c.gauge;
        s.f.gainGauge(s.placeShot(0, 100, c.wave, c.power));
        EXPECT_EQ(s.f.gauge - c.gauge, c.gain) << "row " << &c - cases;
    }
}

TEST(SimLevel, ThresholdsAndFireSpan) {
    struct Case {
        int32_t kills, level;
        int16_t fireSpan;
    } cases[] = {{15, 1, 4},   {16, 2, 4},        {125, 5, 4},       {126, 6, 3},          {205, 7, 3},
                 {206, 8, 2},  {310, 9, 2},       {311, 10, 1},      {435, 11, 1},         {436, 12, 1},
                 {500, 13, 1}, {999099, 9998, 1}, {999100, 9999, 1}, {2000000000, 9999, 1}};
    for (const auto& c : cases) {
        Sim s;
        s.f.kills = c.kills;
        s.f.updateLevel();
        EXPECT_EQ(std::tuple(s.f.level, s.f.fireSpan), std::tuple(c.level, c.fireSpan)) << c.kills;
    }
}

}  // namespace
