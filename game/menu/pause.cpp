// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/form1.h"

namespace game {

namespace {

constexpr int32_t kPauseWaitStep = 2;  // ms per turn of the wait

}  // namespace

void Form1::mnuPause_Click() {
    mnuPause.enabled = false;
    mnuStart.enabled = false;
    if (scene == kPlayScene) {
        picMain.cls();
        lblPause.visible = true;
        sv.repaint();
        const int32_t pausedAt = now();
        // Other commands (back to title, quit) may run while the pause waits.
        for (;;) {
            sv.DoEvents();
            // Space resumes, whatever the key configuration says.
            if (keyDown(vk::kSpace)) break;
            sv.idle(tickAdd(now(), kPauseWaitStep));
        }
        // Movements are functions of age, so moving every live stamp by the
        // paused time puts each enemy and shot back where it stood.
        const int32_t paused = tickDiff(now(), pausedAt);
        for (int i = 0; i < kEnemySlots; ++i)
            if (!isFree(enemyLane[i])) enemyTick[i] = tickAdd(enemyTick[i], paused);
        for (int j = 0; j < kShotSlots; ++j)
            if (!isFree(shotLane[j])) shotTick[j] = tickAdd(shotTick[j], paused);
        lblPause.visible = false;
    }
    mnuPause.enabled = true;
    mnuStart.enabled = true;
}

void Form1::padStart() {
    // As F3 does: only while the command could be chosen from its menu.
    if (mnuMenu.enabled && mnuMenu.visible && mnuPause.enabled && mnuPause.visible) mnuPause_Click();
}

void Form1::mnuBkT_Click() {
    scene = kTitleScene;
    picMain.cls();
    lblPause.visible = false;
    mnuLevel.enabled = true;
    mnuHS.enabled = true;
    resetGame();
}

void Form1::mnuQuit_Click() { Form_Unload(); }

}  // namespace game
