#include <vector>

#include "sim_fixture.h"

using game::kFreeSlot;
using simtest::Sim;

namespace {

TEST(SimHits, BandEdgesAndLaneChangeImmunity) {
    struct Case {
        float shotY, enemyY;
        int16_t turnState;
        bool hit;
    } cases[] = {
        {252, 200, 0, false},  // exactly 52 px below
        {251, 200, 0, true},   {200, 200, 0, false},  // level with it
        {201, 200, 0, true},   {199, 200, 0, false},  // the shot has not reached it
        {220, 200, 1, true},   {220, 200, 2, false}, {220, 200, 3, false},
        {100, -0.5f, 0, true},  // above the top edge: any shot in its lane
        {100, -0.5f, 3, true},
    };
    for (const auto& c : cases) {
        Sim s;
        s.placeShot(1, c.shotY);
        s.placeEnemy(1, c.enemyY, 1, 0, c.turnState, 210);
        s.placeEnemy(2, c.enemyY);  // never hit from another lane
        s.f.resolveHits();
        EXPECT_EQ(s.f.enemyLane[0] == kFreeSlot, c.hit) << c.shotY << " vs " << c.enemyY << " state " << c.turnState;
        EXPECT_EQ(s.f.enemyLane[1], 2);
        EXPECT_EQ(fake::checkInvariants(s.f), "");
    }
}

TEST(SimHits, FiveStackedKills) {
    struct Case {
        int16_t wave;
        bool oneFrame;
        int32_t score, power;
    } cases[] = {{0, true, 15, 6}, {0, false, 15, 6}, {1, true, 12, 3}, {1, false, 12, 3}};
    for (const auto& c : cases) {
        Sim s(4, 1);
        const int b = s.placeShot(3, 300, c.wave);
        for (int k = 0; k < 5; ++k) s.placeEnemy(3, c.oneFrame ? 255.0f + 5 * k : 299.0f);
        if (c.oneFrame) {
            s.f.resolveHits();
        } else {
            // One enemy in the band per frame.
            for (int k = 0; k < 5; ++k) {
                for (int e = k + 1; e < 5; ++e) s.f.enemyY[e] = 100;
                s.f.resolveHits();
                for (int e = k + 1; e < 5; ++e) s.f.enemyY[e] = 299;
            }
        }
        EXPECT_EQ(s.f.score, c.score);
        EXPECT_EQ(s.f.kills, 6);
        EXPECT_EQ(s.f.shotPower[b], c.power);
        EXPECT_EQ(s.f.shotLane[b], 3) << "a hit does not free the shot";
        EXPECT_EQ(s.f.enemyCount, 0);
        EXPECT_EQ(s.f.laneEnemyCount[3], 0);
        EXPECT_EQ(s.f.particleX[4], 250);
    }
}

TEST(SimHits, LowerShotSlotTakesTheEnemyAndTheExplosionSitsOnIt) {
    Sim s;
    s.placeShot(0, 120);
    s.placeShot(0, 110);
    s.placeEnemy(0, 99.75f);
    s.placeEnemy(4, -2.5f);
    s.placeShot(4, 5);
    s.f.resolveHits();
    EXPECT_EQ(s.f.shotPower[0], 2);
    EXPECT_EQ(s.f.shotPower[1], 1);
    EXPECT_EQ(s.f.particleX[0], 25);
    EXPECT_EQ(s.f.particleY[0], 99);
    EXPECT_EQ(s.f.particleX[1], 325);
    EXPECT_EQ(s.f.particleY[1], -3) << "rounded down, not toward zero";
}

TEST(SimHits, FirstKillOfAShotCanLiftTheLevelTwoKillsAtOnce) {
    Sim s;
    s.f.kills = 15;
    s.placeShot(2, 120);
    s.placeEnemy(2, 100);
    s.f.resolveHits();
    EXPECT_EQ(s.f.kills, 17);
    EXPECT_EQ(s.f.level, 2);
}

TEST(SimHits, GaugeGainByDifficulty) {
    struct Case {
        int16_t difficulty;
        int32_t level, gauge, power;
        int16_t wave;
        int32_t gain;
    } cases[] = {
        {0, 9, 74, 1, 0, 1}, {0, 9, 73, 1, 0, 2}, {0, 8, 0, 1, 0, 1},   {0, 1, 0, 5, 0, 4},
        {0, 1, 0, 4, 0, 1},  {0, 1, 0, 5, 1, 1},  {0, 9, 0, 5, 0, 5},   {1, 11, 48, 1, 0, 2},
        {1, 11, 49, 1, 0, 1}, {1, 10, 0, 1, 0, 1}, {2, 9, 0, 5, 0, 3},  {2, 10, 0, 5, 0, 2},
        {2, 12, 0, 5, 0, 3}, {2, 12, 60, 5, 0, 2}, {2, 12, 0, 5, 1, 2}, {3, 50, 0, 6, 0, 1},
        {3, 50, 0, 7, 0, 2}, {3, 50, 0, 7, 1, 1},  {4, 50, 0, 9, 0, 0},  {9, 50, 0, 9, 0, 0},
    };
    for (const auto& c : cases) {
        Sim s(c.difficulty, c.level);
        s.f.gauge = c.gauge;
        const int b = s.placeShot(0, 100, c.wave, c.power);
        s.f.gainGauge(b);
        EXPECT_EQ(s.f.gauge - c.gauge, c.gain)
            << "difficulty " << c.difficulty << " level " << c.level << " gauge " << c.gauge << " p " << c.power;
    }
    Sim s;
    s.f.gainGauge(-1);
    s.f.gainGauge(game::kShotSlots);
    EXPECT_EQ(s.f.gauge, 0);
}

TEST(SimHits, GaugeIsRaisedBeforeTheShotPower) {
    Sim s(2, 12);
    s.f.kills = 600;  // keeps the level at 14 through updateLevel
    s.placeShot(0, 300);
    for (int k = 0; k < 5; ++k) s.placeEnemy(0, 255.0f + 5 * k);
    s.f.resolveHits();
    EXPECT_EQ(s.f.gauge, 2 + 2 + 2 + 2 + 3);
}

TEST(SimLevel, ThresholdsAndFireSpan) {
    struct Case {
        int32_t kills, level;
        int16_t fireSpan;
    } cases[] = {
        {0, 1, 4},        {15, 1, 4},        {16, 2, 4},       {35, 2, 4},     {36, 3, 4},
        {125, 5, 4},      {126, 6, 3},       {205, 7, 3},      {206, 8, 2},    {255, 8, 2},
        {256, 9, 2},      {310, 9, 2},       {311, 10, 1},     {370, 10, 1},   {371, 11, 1},
        {435, 11, 1},     {436, 12, 1},      {499, 12, 1},     {500, 13, 1},   {1000, 18, 1},
        {999099, 9998, 1}, {999100, 9999, 1}, {2000000000, 9999, 1},
    };
    for (const auto& c : cases) {
        Sim s;
        s.f.kills = c.kills;
        s.f.updateLevel();
        EXPECT_EQ(s.f.level, c.level) << c.kills;
        EXPECT_EQ(s.f.fireSpan, c.fireSpan) << c.kills;
    }
    Sim s;  // below 16 kills neither field is written
    s.f.level = 7;
    s.f.fireSpan = 1;
    s.f.kills = 15;
    s.f.updateLevel();
    EXPECT_EQ(s.f.level, 7);
    EXPECT_EQ(s.f.fireSpan, 1);
}

TEST(SimParticles, TwelfthExplosionIsDroppedAndEachLivesFifteenFrames) {
    Sim s;
    s.placeShot(2, 320);
    for (int k = 0; k < 12; ++k) s.placeEnemy(2, 270.0f + 4 * k);
    s.f.resolveHits();
    EXPECT_EQ(s.f.enemyCount, 0);
    for (int i = 0; i < game::kParticleSlots; ++i) EXPECT_EQ(s.f.particleY[i], 270 + 4 * i);

    s.f.spawnParticle(1, 1);  // still full
    EXPECT_EQ(s.f.particleY[10], 310);
    for (int frame = 1; frame <= 15; ++frame) s.f.ageParticles();
    EXPECT_EQ(s.f.particleX[0], 175);
    EXPECT_EQ(s.f.particleAge[0], 15);
    s.f.ageParticles();
    for (int i = 0; i < game::kParticleSlots; ++i) EXPECT_EQ(s.f.particleX[i], kFreeSlot);
    s.f.spawnParticle(7, 8);
    EXPECT_EQ(s.f.particleX[0], 7);
    EXPECT_EQ(s.f.particleAge[0], 0);
}

}  // namespace
