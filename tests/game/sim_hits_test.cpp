#include <cmath>

#include "sim_fixture.h"

using game::kFreeSlot;
using simtest::Sim;

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

// Score by power, an extra kill for a shot's first, the gauge raised before the
// power, wave power capped at 3, the level updated per kill; the same whether
// the five come in one frame or one a frame. The shot stays live.
TEST(SimHits, FiveStackedKills) {
    struct Case {
        int16_t wave;
        bool oneFrame;
        int32_t score, power, gauge;
    } cases[] = {{0, true, 15, 6, 7}, {0, false, 15, 6, 7}, {1, true, 12, 3, 5}, {1, false, 12, 3, 5}};
    for (const auto& c : cases) {
        Sim s(2, 1);
        s.f.kills = 10;
        s.placeShot(3, 300, c.wave);
        for (int k = 0; k < 5; ++k) s.placeEnemy(3, c.oneFrame ? 255.0f + 5 * k : 100);
        for (int k = 0; k < (c.oneFrame ? 1 : 5); ++k) {
            if (!c.oneFrame) s.f.enemyY[k] = 299;
            s.f.resolveHits();
        }
        EXPECT_EQ(std::tuple(s.f.score, s.f.kills, s.f.level, s.f.gauge, s.f.shotPower[0], s.f.shotLane[0]),
                  std::tuple(c.score, 16, 2, c.gauge, c.power, int16_t{3}))
            << "row " << &c - cases;
        EXPECT_EQ(std::tuple(s.f.enemyCount, s.f.laneEnemyCount[3], s.f.particleX[4]), std::tuple(0, 0, 250));
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

// Eleven slots: a twelfth kill in the same frame still kills but shows nothing.
TEST(SimParticles, TwelfthExplosionIsDroppedAndEachLivesFifteenFrames) {
    Sim s;
    s.placeShot(2, 320);
    for (int k = 0; k < 12; ++k) s.placeEnemy(2, 270.0f + 4 * k);
    s.f.resolveHits();
    EXPECT_EQ(s.f.enemyCount, 0);
    for (int i = 0; i < game::kParticleSlots; ++i) EXPECT_EQ(s.f.particleY[i], 270 + 4 * i);
    for (int frame = 1; frame <= 15; ++frame) s.f.ageParticles();
    EXPECT_EQ(s.f.particleX[10], 175);
    s.f.ageParticles();
    for (int i = 0; i < game::kParticleSlots; ++i) EXPECT_EQ(s.f.particleX[i], kFreeSlot);
    s.f.spawnParticle(7, 8);
    EXPECT_EQ(std::tuple(s.f.particleX[0], s.f.particleY[0], s.f.particleAge[0]), std::tuple(7, 8, 0));
}

}  // namespace
