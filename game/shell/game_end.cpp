// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/form1.h"
#include "shell/settings_file.h"
#include "shell/settings_format.h"

namespace game {

namespace {

constexpr int32_t kPlainEndingMs = 1000;
constexpr const char* kSecretName = "Mizuka Ne";
constexpr const char* kNoName = "No Name";

struct UnlockMessage {
    const char* text;
    const char* title;
};

constexpr UnlockMessage kUnlockMessages[] = {
    {"7,000点オーバーです。NORMALが出現しました。\r\n更なる極みに挑戦し己の指先を鍛えよ！", "You're too VORN!"},
    {"13,000点オーバーです。EXPERTが出現しました。\r\n更なる極みに挑戦しGOLDEN FINGERを作り上げろ！",
     "You're too VORN!"},
    {"20,000点オーバーです。凄いです。\r\nGOLDEN FINGER の称号を授与します。", "You're too CRAZY!"},
    {"50,000点オーバーです。素晴らしい。\r\nSPILITUAL FEVER の称号を授与します。", "You are GREAT!"},
    {"80,000点オーバーです。神技です！\r\nSUDDENモードが出現しました。", "You are FAVER!"},
};

// The new state is on disk before the player reads about it, so killing the
// program at the message box (or any time later) keeps it.
void unlock(Form1& f, int16_t stage, forms::MenuItem& item, bool show, int rule) {
    f.unlockStage = stage;
    if (show)
        item.visible = true;
    else
        item.enabled = true;
    saveSettingsNow(f);
    f.sv.msgBox(kUnlockMessages[rule].text, kUnlockMessages[rule].title, platform::kMbInformation);
}

void enterBestScore(Form1& f, int d) {
    const std::string prompt =
        "おめでとうございます。\r\n" + std::to_string(f.score) + "0点でハイスコアです。\r\n名前を入力してください。";
    const std::string answer = f.sv.inputBox(prompt, "ハイスコア", "");
    // The name is kept as typed; what the file can't carry is told at the save.
    f.hiName[d] = answer;
    f.hiScore[d] = f.score;
    if (f.hiName[d].empty()) f.hiName[d] = kNoName;
    if (answer == kSecretName) {
        f.unlockStage = 5;
        saveSettingsNow(f);
        f.sv.msgBox("Neでーす！", "アッチッチ", platform::kMbExclamation);
        f.mnulv[5].visible = true;
        f.mnulv[4].enabled = true;
        f.mnulv[3].enabled = true;
    } else {
        saveSettingsNow(f);
    }
}

}  // namespace

void Form1::gameEnd() {
    if (caughtInLane != 0 && mnuVio.checked) {
        playGameOverSequence();
    } else {
        picMain.cls();
        sv.repaint();
        playVoice("voice5");
        updateCaption();
        waitUntil = tickAdd(now(), kPlainEndingMs);
        waitProcessingEvents(waitUntil);
    }

    // Menu commands may have run during the ending: the modes and the
    // difficulty are read now, as they stand.
    const bool golden = goldenFinger();
    const bool fever = spiritualFever();
    const int d = difficulty;
    if (isDifficulty(d) && score > hiScore[d] && !golden && !fever) enterBestScore(*this, d);

    if (difficulty == kEasy && unlockStage == 2 && score > 699) unlock(*this, 3, mnulv[3], false, 0);
    if (difficulty == kNormal && unlockStage == 3 && score > 1299) unlock(*this, 4, mnulv[4], false, 1);
    if (difficulty == kExpert && unlockStage == 4 && score > 1999) unlock(*this, 5, mnulv[5], true, 2);
    if (difficulty == kExpert && unlockStage <= 5 && score > 4999 && !goldenFinger())
        unlock(*this, 6, mnulv[6], true, 3);
    if (difficulty == kExpert && score > 7999 && unlockStage <= 6 && !goldenFinger())
        unlock(*this, 7, mnulv[7], true, 4);

    mnuLevel.enabled = true;
    mnuHS.enabled = true;
    updateCaption();
    scene = kTitleScene;
}

}  // namespace game
