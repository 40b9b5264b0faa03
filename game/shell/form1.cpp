// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/form1.h"

#include "render/blend_library.h"

namespace game {

Form1::Form1(platform::Services& services, const std::string& programFolder)
    : Form1(services, platform::GamePaths::beside(programFolder)) {}

Form1::Form1(platform::Services& services, platform::GamePaths gamePaths) : sv(services), paths(std::move(gamePaths)) {
    form.caption = kTitle;
    form.clientWidth = kPlaySize;
    form.clientHeight = kPlaySize;

    picMain.move(0, 0, kPlaySize, kPlaySize);
    picMain.accessibleName = "ゲーム画面";
    for (forms::PictureBox* hidden : {&picSUB, &picBG, &picREADY, &picLv, &picNum, &picRRK, &picTEKI, &picHRT, &picEXP})
        hidden->visible = false;
    // The READY banner box takes the size of its picture, whatever that is.
    picREADY.autoSize = true;

    Text1.move(12, 500, 325, 137);
    Text1.fixedPitch = true;
    Text1.fontPoints = 10;
    Text1.accessibleName = "ハイスコア";
    Command1.move(310, 242, 25, 25);
    Command1.caption = "閉";
    Command1.visible = false;
    Command1.onClick = [this] { Command1_Click(); };
    lblPause.move(12, 272, 317, 29);
    lblPause.caption = "[SPACE]で復帰します。";
    lblPause.visible = false;
    lblPause.centred = true;
    lblPause.fontPoints = 12;
    lblPause.foreColor = forms::rgb(255, 255, 255);
    lblPause.backColor = forms::rgb(40, 20, 60);
    form.controls = {&picMain, &Text1, &Command1, &lblPause};

    // The window grows on large screens; a play key is never taken from the
    // game for the window's own use.
    form.scalable = true;
    form.pollsKey = [this](int vk) { return isPlayKey(vk); };
    form.onUnload = [this] { Form_Unload(); };
    form.padKeys = [this] { return padKeys(); };
    form.onPadStart = [this] { padStart(); };
    buildMenuTree();
}

Form1::~Form1() = default;

void Form1::playVoice(const char* name) {
    if (!mnuVoice.checked) return;
    sv.sndPlaySoundA(paths.asset(std::string("vrnvoice/") + name + ".wav"), platform::kSndAsync);
}

void Form1::waitProcessingEvents(int32_t deadline) {
    while (!tickAfter(now(), deadline)) {
        sv.DoEvents();
        sv.idle(deadline);
    }
}

}  // namespace game
