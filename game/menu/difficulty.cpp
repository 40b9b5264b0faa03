// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/form1.h"

namespace game {

void Form1::mnulv_Click(int index) {
    if (index >= 0 && index < kDifficulties) {
        difficulty = static_cast<int16_t>(index);
        for (int i = 0; i < kDifficulties; ++i) mnulv[i].checked = false;
        mnulv[difficulty].checked = true;
    } else if (index >= kDifficulties && index < 8) {
        // The three modes are independent switches beside the difficulty.
        mnulv[index].checked = !mnulv[index].checked;
    }
}

}  // namespace game
