// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/form1.h"

namespace game {

namespace {

// Blanks after each difficulty name, so the scores start in column 12.
constexpr int kBlankRun[kDifficulties] = {1, 2, 7, 5, 5};
constexpr int kShownTop = 132;

}  // namespace

void Form1::mnuHS_Click() {
    std::string table;
    for (int i = 0; i < kDifficulties; ++i) {
        // The scores are kept in tens of points.
        table += diffName[i] + std::string(kBlankRun[i], ' ') + std::to_string(hiScore[i]) + "0 " + hiName[i] + "\r\n";
    }
    Text1.text = table;
    Text1.setTop(kShownTop);
    // The start of a game hides the box, so it is shown again here.
    Text1.visible = true;
    Command1.visible = true;
}

}  // namespace game
