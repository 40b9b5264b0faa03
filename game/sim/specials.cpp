// The three special weapons of the key polling. Each plays its voice, acts,
// then pays its full cost even when the shot table had no room.
#include "shell/form1.h"

namespace game {

void Form1::fireVolley() {
    playVoice("voice3");
    for (int16_t lane = 0; lane < kLaneCount; ++lane) {
        const int i = firstFreeSlot(shotLane);
        if (i < 0) continue;
        shotLane[i] = lane;
        shotY[i] = static_cast<float>(heroY + 14);
        shotPower[i] = 1;
        shotWave[i] = 0;
        shotTick[i] = now();
    }
    gauge -= 50;
}

void Form1::fireWaveShots() {
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
    gauge -= 100;
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
    gauge -= 25;
}

}  // namespace game
