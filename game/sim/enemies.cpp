// SPDX-License-Identifier: GPL-3.0-or-later
// Enemies: the spawn gate, groups and single spawns with their lane and field
// limits and variants, and the closed-form climb with the lane change, the
// bottom exit, the animation, getting through and the end of a freeze.
//
// Every random draw below happens in a fixed order and only under the
// conditions written before it; seeded tests pin that sequence.
#include <algorithm>
#include <cmath>

#include "shell/form1.h"

namespace game {

namespace {

// The limit tables are indexed by difficulty; an out-of-range difficulty reads
// the nearest table entry instead of memory beyond it.
int diffIndex(int16_t difficulty) { return std::clamp<int>(difficulty, 0, kDifficulties - 1); }

int16_t otherLane(float r, int lane) {
    return static_cast<int16_t>((vbIntI(static_cast<double>(r) * (kLanes - 1)) + lane + 1) % kLanes);
}

}  // namespace

bool Form1::spawnTest() {
    double gate = 0.982 - 0.0133 * level;
    if (gate < 0.82) gate = 0.82;
    if (freezeTimer > 0) gate = 1.0;
    frameGate = gate;
    const float r = Rnd();
    return static_cast<float>(gate) < r;
}

void Form1::spawnEnemies() {
    int n = 1;
    // Both draws are made on every call, whatever the difficulty and level.
    float r = Rnd();
    if (r > 0.99 && difficulty >= kNormal && level > 8) n = 16;
    r = Rnd();
    if (r > 0.99 && difficulty >= kNormal && level > 14) n = 30;
    if (goldenFinger()) {
        const float r1 = Rnd();
        const float r2 = Rnd();
        n += vbIntI(static_cast<double>(r1) * 1.3) * vbIntI(static_cast<double>(r2) * 6);
    }
    for (int k = 0; k < n; ++k) spawnOneEnemy();
}

void Form1::spawnOneEnemy() {
    // At exactly level 13 the NORMAL/EXPERT cap does not apply yet and the
    // general cap of 12 does.
    float s = static_cast<float>(level);
    if (s > 13 && difficulty >= kNormal)
        s = 13;
    else if (s > 12)
        s = 12;
    const int32_t L = std::min<int32_t>(level, 99);
    const int d = diffIndex(difficulty);

    const int i = firstFreeSlot(enemyLane);
    if (i < 0) return;

    const int16_t lane = static_cast<int16_t>(vbIntI(static_cast<double>(Rnd()) * 5));
    enemyLane[i] = lane;
    ++laneEnemyCount[lane];
    ++enemyCount;

    if (laneEnemyCount[lane] > laneEnemyLimit[d]) {
        // The new lane is not tested against its limit.
        const int16_t moved = otherLane(Rnd(), lane);
        --laneEnemyCount[lane];
        ++laneEnemyCount[moved];
        enemyLane[i] = moved;
    }
    if (enemyCount > fieldEnemyLimit[d]) {
        --enemyCount;
        --laneEnemyCount[enemyLane[i]];
        enemyLane[i] = kFreeSlot;
        return;
    }

    enemyY[i] = 350;
    enemySpeed[i] = static_cast<float>(1 + static_cast<double>(Rnd()) * s / 1.4);
    enemyAnimCount[i] = 0;
    enemyTurnState[i] = 0;
    enemyTurnY[i] = 0;
    enemyFrame[i] = 0;
    enemyAccel[i] = 0;
    enemyTick[i] = now();

    // Variants in this order; a later one overwrites an earlier one.
    if (level > 2) {
        const float r = Rnd();
        if (r > 0.95 && difficulty >= kVeryEasy) {  // rusher
            enemyAccel[i] = static_cast<float>(-1.24);
            enemySpeed[i] = 32;
        }
    }
    if (level > 4 && difficulty >= kEasy) {
        const float r = Rnd();
        if (r > 0.946) {  // sprinter
            enemyAccel[i] = static_cast<float>(static_cast<double>(Rnd()) / 10 + 0.05);
            enemySpeed[i] = static_cast<float>(0.1);
        }
    }
    if (level > 9 && difficulty >= kNormal) {
        const float r = Rnd();
        if (r > 0.915) {  // fast sprinter
            enemyAccel[i] = static_cast<float>(static_cast<double>(Rnd()) / 5 + 0.1);
            enemySpeed[i] = static_cast<float>(0.1);
        }
    }
    if (level > 10 && difficulty >= kNormal) {
        const float r = Rnd();
        const float threshold = static_cast<float>(0.946 - L * 0.02);
        if (r > threshold && enemyAccel[i] == 0) {  // lane-changer
            enemyTurnState[i] = 1;
            enemyTurnY[i] = static_cast<int16_t>(vbIntI(static_cast<double>(Rnd()) * 150) + 120);
        }
    }
}

void Form1::moveEnemies() {
    for (int i = 0; i < kEnemySlots; ++i) {
        if (isFree(enemyLane[i])) continue;
        const double t = tickDiff(now(), enemyTick[i]);

        if (freezeTimer == 0) {
            const double d =
                static_cast<double>(enemyAccel[i]) / 3000 * t * t / 2 + static_cast<double>(enemySpeed[i]) / 60 * t;
            const double p = 350 - d;
            switch (enemyTurnState[i]) {
            case 0:
            case 1:
                enemyY[i] = static_cast<float>(p);
                if (enemyTurnState[i] == 1 && enemyY[i] < enemyTurnY[i]) {
                    enemyTick[i] = tickAdd(enemyTick[i], 50);
                    enemySpeed[i] = static_cast<float>(static_cast<double>(enemySpeed[i]) * 0.94);
                    enemyTurnState[i] = 2;
                }
                break;
            case 2:
                if (p < enemyTurnY[i]) {
                    // Halfway through the pause; the new lane is not
                    // tested against its limit.
                    enemyTurnState[i] = 3;
                    const int16_t old = enemyLane[i];
                    const int16_t moved = otherLane(Rnd(), old);
                    --laneEnemyCount[old];
                    ++laneEnemyCount[moved];
                    enemyLane[i] = moved;
                    enemyTick[i] = tickAdd(enemyTick[i], 50);
                }
                break;
            case 3:
                if (p < enemyTurnY[i]) enemyTurnState[i] = 0;
                break;
            default: break;
            }
            if (enemyY[i] > 370) {
                // Leaving through the bottom takes the enemy off both
                // counters, as a kill does; otherwise every unshot rusher
                // would shrink the room for spawning until the next game.
                --laneEnemyCount[enemyLane[i]];
                --enemyCount;
                enemyLane[i] = kFreeSlot;
                continue;
            }
        }

        enemyAnimCount[i] = static_cast<int16_t>(enemyAnimCount[i] + 1);
        if (std::fabs(9.0f - enemySpeed[i]) < enemyAnimCount[i]) {
            enemyFrame[i] = static_cast<int16_t>((enemyFrame[i] + 1) % 2);
            enemyAnimCount[i] = 0;
        }

        if (enemyY[i] < 0) {
            gameOver = -1;
            if (enemyLane[i] == heroLane) caughtInLane = -1;
        }
    }

    if (freezeTimer > 0) {
        --freezeTimer;
        if (freezeTimer == 0) {
            // A freeze lasts frames, not milliseconds: every enemy resumes
            // from where it stood by moving its clock on by the frozen time.
            freezeLength = tickDiff(now(), freezeStartTick);
            for (int i = 0; i < kEnemySlots; ++i)
                if (!isFree(enemyLane[i])) enemyTick[i] = tickAdd(enemyTick[i], freezeLength);
        }
    }
}

}  // namespace game
