// SPDX-License-Identifier: GPL-3.0-or-later
// The shot table: firing a straight shot and moving every live shot from its
// age, so a pause (which shifts shotTick) never loses a shot's place.
#include <algorithm>
#include <cmath>

#include "shell/form1.h"

namespace game {

void Form1::fireShot() {
    const int i = firstFreeSlot(shotLane);
    if (i < 0) return;
    shotLane[i] = heroLane;
    shotY[i] = static_cast<float>(heroY + 6);
    shotTick[i] = now();
    shotPower[i] = 1;
    shotWave[i] = 0;
}

void Form1::moveShots() {
    // The speed is taken from the level now, not at firing: a level-up makes
    // every straight shot in flight jump forward.
    const double s = std::min<int32_t>(level, 99);
    for (int i = 0; i < kShotSlots; ++i) {
        if (isFree(shotLane[i])) continue;
        const double age = tickDiff(now(), shotTick[i]);
        if (shotWave[i] != 0) {
            // One degree of swing every 5 ms.
            const double y = (heroY + 16) + 0.014 * age + 50 * std::sin(age * 0.01745 / 5);
            shotY[i] = static_cast<float>(y);
            if (shotY[i] > 375) shotLane[i] = kFreeSlot;
        } else {
            const double y = (heroY + 2) + age * (s / 650 + 0.2);
            shotY[i] = static_cast<float>(y);
            if (shotY[i] > 360) shotLane[i] = kFreeSlot;
        }
    }
}

}  // namespace game
