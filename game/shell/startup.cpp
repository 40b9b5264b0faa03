// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the constant tables, the pictures, the settings, the menus as the
// unlock stage allows, the window, the blend library.
#include <QImage>

#include "render/blend_library.h"
#include "shell/form1.h"
#include "shell/load_messages.h"

namespace game {

void Form1::Form_Load() {
    startUp();
    mainLoop();
}

void Form1::loadPictures() {
    struct FilePicture {
        forms::PictureBox& box;
        const char* path;
    };
    const FilePicture files[] = {{picBG, "pic/bg.jpg"},
                                 {picMain, "pic/title.jpg"},
                                 {picREADY, "pic/ready.gif"},
                                 {picLv, "pic/levelup.gif"},
                                 {picNum, "pic/number.gif"}};
    for (const FilePicture& f : files) {
        const std::string path = paths.asset(f.path);
        if (!f.box.loadPicture(path)) {
            sv.msgBox("画像ファイルを読み込めませんでした。\r\n" + path, kTitle, platform::kMbCritical);
            sv.endProgram(1);
        }
    }
    // The sprite strips are part of the program itself.
    const FilePicture strips[] = {{picRRK, ":/sprites/heroine.png"},
                                  {picTEKI, ":/sprites/enemy.png"},
                                  {picHRT, ":/sprites/heart.png"},
                                  {picEXP, ":/sprites/explosion.png"}};
    for (const FilePicture& s : strips) {
        if (!s.box.loadPicture(s.path)) {
            sv.msgBox(std::string("内蔵画像が壊れています。\r\n") + s.path, kTitle, platform::kMbCritical);
            sv.endProgram(1);
        }
    }
    form.icon = QImage(":/icon/lanebeam.png");
}

void Form1::applyUnlockStage(int16_t stage) {
    if (stage >= 4) mnulv[4].enabled = true;
    if (stage >= 3) mnulv[3].enabled = true;
    if (stage >= 5) mnulv[5].visible = true;
    if (stage >= 6) mnulv[6].visible = true;
    if (stage >= 7) mnulv[7].visible = true;
}

void Form1::startUp() {
    difficulty = kEasy;
    unlockStage = 2;
    diffName = {"SUPER EASY", "VERY EASY", "EASY", "NORMAL", "EXPERT"};
    diffShortName = {"S.EZ", "V.EZ", "EZ", "NOM", "Exp"};
    loadPictures();
    form.caption = kTitle;
    setDefaultKeys();
    readSettingsFile();

    // The settings file may hold anything; the menu only takes an index it has.
    if (!isDifficulty(difficulty)) difficulty = kEasy;
    for (int i = 0; i < kDifficulties; ++i) mnulv[i].checked = false;
    mnulv[difficulty].checked = true;
    mnuDBG.visible = false;
    applyUnlockStage(unlockStage);
    if (keyDown(vk::kShift)) {
        // Everything is open for this run only; the stored stage stays as it is.
        mnulv[3].enabled = mnulv[4].enabled = true;
        mnulv[5].visible = mnulv[6].visible = mnulv[7].visible = true;
        mnuDBG.visible = true;
    }
    Text1.setTop(500);
    rnd.seedFromTimeOfDay();
    scene = kTitleScene;
    form.width = kWindowWidthTwips;
    form.height = kWindowHeightTwips;
    sv.showForm(form);

    for (int j = 0; j < kLanes; ++j) laneX[j] = static_cast<int16_t>(25 + 75 * j);
    heroFrameX = {0, 18, 36, 55, 75, 93, 111, 130};
    resetGame();

    mmxMode = 0;
    blend = std::make_unique<BlendLibrary>(paths.blendLibrary);
    int32_t hasMmx = 0;
    try {
        hasMmx = blend->checkMmx();
    } catch (const platform::LibraryError& e) {
        sv.msgBox("描画ライブラリを読み込めませんでした。\r\n" + loadFailureText(e.path, e.failure), kTitle,
                  platform::kMbCritical);
        sv.endProgram(1);
    }
    // Offering MMX on a processor without it would run instructions it lacks.
    mnu_UseMMX.visible = hasMmx == 1;
    if (hasMmx == 1) {
        mmxMode = PX_FLAG_MMX;
        mnu_UseMMX.checked = true;
    }
}

}  // namespace game
