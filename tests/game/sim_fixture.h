// A game at the start of play without a window, for the simulation tests:
// reset, lanes placed, a fixed seed, and helpers that put entries straight
// into the tables.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "fake_services.h"

namespace simtest {

struct Sim {
    explicit Sim(int16_t difficulty = 3, int32_t level = 1, int32_t startTick = 1'000'000) : g(startTick) {
        f.difficulty = difficulty;
        f.resetGame();
        f.laneX = {25, 100, 175, 250, 325};
        f.level = level;
        f.rnd.seed(7);
        f.frameTick = g.sv.clock;
    }

    fake::Game g;
    game::Form1& f = g.f;

    int placeEnemy(int16_t lane, float y, float speed = 1, float accel = 0, int16_t turnState = 0,
                   int16_t turnY = 0) {
        int i = 0;
        while (f.enemyLane[i] != game::kFreeSlot) ++i;
        f.enemyLane[i] = lane;
        f.enemyY[i] = y;
        f.enemySpeed[i] = speed;
        f.enemyAccel[i] = accel;
        f.enemyTurnState[i] = turnState;
        f.enemyTurnY[i] = turnY;
        f.enemyTick[i] = g.sv.clock;
        f.enemyAnimCount[i] = 0;
        f.enemyFrame[i] = 0;
        ++f.laneEnemyCount[lane];
        ++f.enemyCount;
        return i;
    }

    int placeShot(int16_t lane, float y, int16_t wave = 0, int32_t power = 1) {
        int i = 0;
        while (f.shotLane[i] != game::kFreeSlot) ++i;
        f.shotLane[i] = lane;
        f.shotY[i] = y;
        f.shotWave[i] = wave;
        f.shotPower[i] = power;
        f.shotTick[i] = g.sv.clock;
        return i;
    }

    int liveShots() const {
        int n = 0;
        for (auto lane : f.shotLane) n += lane != game::kFreeSlot;
        return n;
    }
};

}  // namespace simtest
