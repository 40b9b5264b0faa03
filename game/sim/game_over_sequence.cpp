// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "shell/form1.h"
#include "sim/game_over_blood.h"
#include "wingdi.h"

namespace game {

namespace {

constexpr const char* kPoems[] = {
    "死して屍拾う者なし",
    "鮮血の紅い雨よ降り注げ…渇いた大地に",
    "骸を晒して人となり",
    "全ては真っ赤に燃え尽きた…",
    "断末魔の叫びは貴方へのレクイエム…",
    "剣が振り下ろされた…その刹那",
    "生きてて良かったと…そう思いたい",
    "今まさにこの身朽ち果てよう",
    "この想い…消えることないよ、永遠に",
    "お願い、もう一度だけ抱きしめて…強く",
};
constexpr int kPoemCount = static_cast<int>(std::size(kPoems));

constexpr int32_t kBloodMs = 2200;
// One step of the slash waits for the tick to move on. The tick this was made
// for moved in steps of about 16 ms, which gave the slash its 0.2 to 0.3 s;
// ours moves every millisecond, so a step waits that long explicitly.
constexpr int32_t kSlashStepMs = 16;
// The blood was drawn as fast as the machine could, which on the machines it was
// made for gave a pass every frame or so; drawn unpaced today the spray is gone
// in a tenth of a second. A pass per frame period keeps the look it was made with.
constexpr int32_t kBloodPassMs = 20;
constexpr int kSlashStride = 20;

void clearToBlack(forms::PictureBox& pic) { pic.filledBox(0, 0, kPlaySize, kPlaySize, forms::rgb(0, 0, 0)); }

}  // namespace

void Form1::playGameOverSequence() {
    const int lane = std::clamp<int>(heroLane, 0, kLanes - 1);
    const double x0 = laneX[lane];

    form.caption = kPoems[std::clamp(vbIntI(Rnd() * 10.0), 0, kPoemCount - 1)];
    sv.repaint();

    blood::Spray spray;
    blood::startSpray(spray, rnd, x0, heroY);
    clearToBlack(picSUB);
    playVoice("se1");

    // Straight onto the last game frame, fanning out from the top-right corner.
    for (int a = 0; a <= kPlaySize; a += kSlashStride) {
        picMain.line(347 - a, a + 2, 350, 0, forms::rgb(160, 0, 0));
        picMain.line(349 - a, a - 1, 349, 0, forms::rgb(140, 0, 0));
        picMain.line(350 - a, a + 1, 350, 1, forms::rgb(140, 0, 0));
        sv.repaint();
        const int32_t drawn = now();
        const int32_t next = tickAdd(drawn, kSlashStepMs);
        while (tickDiff(now(), drawn) < kSlashStepMs) sv.idle(next);
    }

    // Every second pass starts from black, the others smear over the one before.
    const int32_t end = tickAdd(now(), kBloodMs);
    int parity = 0;
    do {
        const int32_t passStart = now();
        parity = (parity + 1) % 2;
        if (parity == 0) clearToBlack(picSUB);
        blood::moveBlobs(spray, [this](const blood::Blob& b) {
            const forms::Color c = forms::rgb(b.red, 0, 0);
            picSUB.setFillColor(c);
            picSUB.filledEllipse(b.x, b.y, b.radius, c, b.aspect);
        });
        blood::addDroplets(spray, rnd, x0, heroY);
        blood::moveDroplets(spray, rnd,
                            [this](float x, float y, int red) { picSUB.pset(x, y, forms::rgb(red, 0, 0)); });
        BitBlt(picMain.hdc(), 0, 0, kPlaySize, kPlaySize, picSUB.hdc(), 0, 0, SRCCOPY);
        sv.repaint();
        const int32_t nextPass = tickAdd(passStart, kBloodPassMs - 1);
        while (!tickAfter(now(), nextPass) && !tickAfter(now(), end)) sv.idle(nextPass);
    } while (!tickAfter(now(), end));

    picSUB.setFillColor(forms::rgb(0, 0, 0));
    picMain.cls();
    updateCaption();
}

}  // namespace game
