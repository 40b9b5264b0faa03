// SPDX-License-Identifier: GPL-3.0-or-later
// Shots against enemies: a shot passes through everything in its lane, each
// further kill worth one point more, and every kill feeds the kill count, the
// gauge, the level and an explosion.
#include "shell/form1.h"

namespace game {

void Form1::resolveHits() {
    for (int b = 0; b < kShotSlots; ++b) {
        if (isFree(shotLane[b])) continue;
        for (int e = 0; e < kEnemySlots; ++e) {
            // Read afresh for every pair: an enemy killed earlier in this pass
            // is free by now.
            if (isFree(enemyLane[e]) || enemyLane[e] != shotLane[b]) continue;
            // Band test on the stored single-precision values; an enemy in the
            // middle of a lane change cannot be hit.
            const bool hit = enemyY[e] < 0 || (enemyTurnState[e] < 2 && shotY[b] > enemyY[e] &&
                                               static_cast<float>(shotY[b] - 52.0f) < enemyY[e]);
            if (!hit) continue;

            score += shotPower[b];
            kills += 1;
            if (shotPower[b] == 1) kills += 1;
            gainGauge(b);
            shotPower[b] += 1;
            if (shotPower[b] > 3 && shotWave[b] != 0) shotPower[b] = 3;
            updateLevel();
            const int16_t lane = enemyLane[e];
            spawnParticle(laneX[lane], static_cast<int16_t>(vbIntI(enemyY[e])));
            --laneEnemyCount[lane];
            --enemyCount;
            enemyLane[e] = kFreeSlot;
        }
    }
}

void Form1::gainGauge(int shot) {
    if (shot < 0 || shot >= kShotSlots) return;
    const int32_t p = shotPower[shot];
    const bool straight = shotWave[shot] == 0;
    switch (difficulty) {
    case kSuperEasy:
        gauge += 1;
        if (level > 8 && gauge < 75) gauge += 1;
        if (straight && p > 4) gauge += 3;
        break;
    case kVeryEasy:
    case kEasy:
        gauge += 1;
        if (level > 10 && gauge < 50) gauge += 1;
        if (straight && p > 4) gauge += level < 10 ? 2 : 1;
        break;
    case kNormal:
        gauge += 1;
        if (straight && p > 6) gauge += 1;
        break;
    default:  // EXPERT: kills never fill the gauge
        break;
    }
}

}  // namespace game
