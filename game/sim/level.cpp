// SPDX-License-Identifier: GPL-3.0-or-later
// The level follows from the kill count alone; three thresholds also shorten
// the heroine's firing pose.
#include "shell/form1.h"

namespace game {

void Form1::updateLevel() {
    const int32_t k = kills;
    if (k > 15) level = 2;
    if (k > 35) level = 3;
    if (k > 60) level = 4;
    if (k > 90) level = 5;
    if (k > 125) {
        level = 6;
        fireSpan = 3;
    }
    if (k > 160) level = 7;
    if (k > 205) {
        level = 8;
        fireSpan = 2;
    }
    if (k > 255) level = 9;
    if (k > 310) {
        level = 10;
        fireSpan = 1;
    }
    if (k > 370) level = 11;
    if (k > 435) level = vbIntI(k / 100.0) + 8;
    if (level > 9999) level = 9999;
}

}  // namespace game
