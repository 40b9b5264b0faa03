// SPDX-License-Identifier: GPL-3.0-or-later
// A game at the start of play without a window, for the simulation tests:
// reset, lanes placed, a fixed seed, and helpers that put entries straight
// into the tables.
#pragma once

#include <gtest/gtest.h>

#include "game_fixtures.h"

namespace simtest {

using game::kFreeSlot;

struct Sim {
    explicit Sim(int16_t difficulty = 3, int32_t level = 1, int32_t startTick = 1'000'000) : g(startTick) {
        f.difficulty = difficulty;
        f.resetGame();
        f.laneX = {25, 100, 175, 250, 325};
        f.level = level;
        f.frameTick = g.sv.clock;
        f.rnd.seed(7);
    }
    fake::Game g;
    game::Form1& f = g.f;

    // A plain enemy climbing at speed 1, counted in its lane and on the field.
    void placeEnemy(int16_t lane, float y) {
        int i = 0;
        while (f.enemyLane[i] != kFreeSlot) ++i;
        f.enemyLane[i] = lane;
        f.enemyY[i] = y;
        f.enemySpeed[i] = 1.0f;
        f.enemyTick[i] = g.sv.clock;
        ++f.laneEnemyCount[lane];
        ++f.enemyCount;
    }
    int placeShot(int16_t lane, float y, int16_t wave = 0, int32_t power = 1) {
        int i = 0;
        while (f.shotLane[i] != kFreeSlot) ++i;
        f.shotLane[i] = lane;
        f.shotY[i] = y;
        f.shotWave[i] = wave;
        f.shotPower[i] = power;
        f.shotTick[i] = g.sv.clock;
        return i;
    }
};

}  // namespace simtest
