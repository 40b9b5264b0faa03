// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <limits>

#include "menu/debug_code.h"
#include "shell/form1.h"

namespace game {

void Form1::mnuCODE_Click() {
    std::string answer = sv.inputBox("Please Input the DEBUG CODE.", "Prompt", "");
    std::optional<DebugCode> code = parseDebugCode(answer);
    if (!code) return;
    const int32_t n = code->number;
    switch (code->letter) {
    case 'p': gauge = n; break;
    case 's': score = n; break;
    case 'l': level = n; break;
    case 'd':
        hiScore[2] = n;
        hiName[2] = "NoEntry";
        break;
    case 'k': kills = n; break;
    case 'L':
        unlockStage = static_cast<int16_t>(
            std::clamp<int32_t>(n, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
        break;
    default: break;
    }
}

void Form1::mnuCapture_Click() {
    // The picture assigned at start-up, not the frame drawn over it.
    if (!picMain.picture().isNull()) sv.setClipboardImage(picMain.picture());
}

}  // namespace game
