// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/form1.h"

namespace game {

void Form1::updateCaption() {
    // A difficulty outside the table (only reachable by a broken state) shows
    // no short name rather than reading past it.
    const std::string& shortName = isDifficulty(difficulty) ? diffShortName[difficulty] : std::string();
    // The "0" turns the stored units of 10 into points.
    const std::string result = "[Score:" + std::to_string(score) + "0][Lv:" + std::to_string(level) + "]" + shortName;
    std::string caption = score <= 0 ? std::string(kTitle) : kTitle + result;
    // A long result leaves no room for the title, whatever the score.
    if (score > 9999 || level > 999) caption = "(前略)..." + result;
    form.caption = caption;
}

}  // namespace game
