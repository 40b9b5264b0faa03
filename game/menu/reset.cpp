// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/form1.h"

namespace game {

namespace {

constexpr int16_t kFactoryStage = 3;
constexpr Difficulty kFactoryDifficulty = kNormal;

}  // namespace

void Form1::setFactoryTable() {
    for (int i = 0; i < kDifficulties; ++i) {
        hiScore[i] = 600 + 100 * i;
        hiName[i] = "---";
    }
}

void Form1::mnuReset_Click() {
    std::string answer = sv.inputBox(
        "設定の全てをリセットします。\r\n"
        "リセットする場合は、以下の欄に\r\n"
        "reset と入力してください。\r\n"
        "大文字小文字区別有り。",
        "リセット確認", "");
    if (answer != "reset") {
        sv.msgBox("キャンセルしました。\r\nリセットは行われませんでした。", "こけおどしめ！", platform::kMbExclamation);
        return;
    }
    setDefaultKeys();
    unlockStage = kFactoryStage;
    difficulty = kFactoryDifficulty;
    mnuVoice.checked = true;
    setFactoryTable();
    // The menu shows the difficulty the next game will play; which items are
    // offered still changes only at the next start-up.
    for (int i = 0; i < kDifficulties; ++i) mnulv[i].checked = i == difficulty;
    sv.msgBox("設定をリセットしました。", "完了。", platform::kMbInformation);
}

}  // namespace game
