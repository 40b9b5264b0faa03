// SPDX-License-Identifier: GPL-3.0-or-later
// The three special weapons of the key polling. Each plays its voice, acts,
// then pays its full cost even when the shot table had no room.
#include "sim/specials.h"

#include "shell/form1.h"

namespace game {

const std::array<Special, 3> kSpecials = {{
    {PlayAction::kVolley, kVolleyRule, &GameState::keyS6Latch, &Form1::fireVolley},
    {PlayAction::kWaveShots, kWaveShotsRule, &GameState::keyS7Latch, &Form1::fireWaveShots},
    {PlayAction::kFreeze, kFreezeRule, &GameState::keyS8Latch, &Form1::freezeEnemies},
}};

void Form1::fireVolley() {
    playVoice("voice3");
    for (int16_t lane = 0; lane < kLanes; ++lane) {
        const int i = firstFreeSlot(shotLane);
        if (i < 0) continue;
        shotLane[i] = lane;
        shotY[i] = static_cast<float>(heroY + 14);
        shotPower[i] = 1;
        shotWave[i] = 0;
        shotTick[i] = now();
    }
    gauge -= kVolleyRule.cost;
}

void Form1::fireWaveShots() {
    // The wave takes the place of a shot asked for in the same poll, and the
    // arrow keys need not wait for it.
    fireRequest = 2;
    playVoice("voice4");
    for (int k = 0; k < 2; ++k) {
        const int i = firstFreeSlot(shotLane);
        if (i < 0) continue;
        shotLane[i] = heroLane;
        shotY[i] = static_cast<float>(heroY + 3 * k);
        shotPower[i] = 1;
        shotWave[i] = 1;
        shotTrailFrames[i] = 0;
        shotTick[i] = now();
    }
    gauge -= kWaveShotsRule.cost;
}

void Form1::freezeEnemies() {
    playVoice("voice2");
    // A freeze used while one runs lengthens it; its start stays where it was,
    // so the enemies' clocks are moved on by the whole frozen time at its end.
    if (freezeTimer < 1) {
        freezeTimer = 150;
        freezeStartTick = frameTick;
    } else {
        freezeTimer += 100;
    }
    gauge -= kFreezeRule.cost;
}

}  // namespace game
