// SPDX-License-Identifier: GPL-3.0-or-later
// The status display over the play field: the special and freeze gauges at
// the edges and the score and level numbers along the top.
#include <cmath>
#include <string>

#include "shell/form1.h"

namespace game {

namespace {

using forms::rgb;

constexpr int kGaugeFull = 300;
constexpr int kGaugeTop = 25, kGaugeBottom = 325;
constexpr int kShadeStep = 25;  // the bar's shade alternates every 25 points
constexpr int kBandStep = 50;   // each completed band of 50 flickers
constexpr int kDigitW = 11, kNumH = 15, kMaskRow = 15;
constexpr int kScoreLabelX = 111, kScoreLabelW = 49;
constexpr int kLevelLabelX = 162, kLevelLabelW = 25;
constexpr int kNumY = 2;

int channel(double v) { return roundHalfEven(v); }

void drawGaugeFill(Form1& f) {
    const int gauge = f.gauge;
    if (gauge >= kGaugeFull) {
        f.picSUB.filledBox(3, kGaugeTop, 7, kGaugeBottom, rgb(0, channel(f.Rnd() * 100.0 + 154), 23));
        return;
    }
    if (gauge < 1) return;
    const bool oddShade = (gauge / kShadeStep) % 2 == 1;
    f.picSUB.filledBox(3, kGaugeTop, 7, gauge + 24, oddShade ? rgb(0, 240, 46) : rgb(0, 160, 23));
    // From the top band down, so the lowest band ends up on top of the others.
    for (int k = 5; k >= 1; --k) {
        if (gauge < kBandStep * k) continue;
        const double r1 = f.Rnd(), r2 = f.Rnd(), r3 = f.Rnd();
        f.picSUB.filledBox(3, kGaugeTop, 7, kBandStep * k + 24,
                           rgb(channel(r1 * 140), channel(r2 * 155 + 100), channel(r3 * 140)));
    }
}

void drawGauges(Form1& f) {
    forms::PictureBox& p = f.picSUB;
    p.box(2, 24, 8, 326, rgb(200, 200, 200));
    p.filledBox(3, kGaugeTop, 7, kGaugeBottom, rgb(30, 30, 50));
    drawGaugeFill(f);
    for (int y : {125, 225, 175, 275, 75}) p.line(3, y, 8, y, rgb(140, 140, 140));

    if (f.freezeTimer < 1) return;
    p.box(341, 24, 347, 326, rgb(200, 200, 200));
    p.filledBox(342, kGaugeTop, 346, kGaugeBottom, rgb(40, 23, 24));
    if (f.freezeTimer >= kGaugeFull)
        p.filledBox(342, kGaugeTop, 346, kGaugeBottom, rgb(channel(f.Rnd() * 155.0 + 100), 12, 43));
    else
        p.filledBox(342, kGaugeTop, 346, f.freezeTimer + 25, rgb(234, 12, 43));
}

// Digits at x0 + 11, x0 + 22, ... as masked sprites from the digit strip.
void drawDigits(Form1& f, const std::string& text, int x0) {
    for (size_t j = 1; j <= text.size(); ++j) {
        const int d = text[j - 1] - '0';
        f.maskedSprite(x0 + kDigitW * static_cast<int>(j), kNumY, kDigitW, kNumH, f.picNum, kDigitW * d, 0, kDigitW * d,
                       kMaskRow);
    }
}

// The score is kept in tens; a negative value (only a debug code can make
// one) shows as 0 rather than as a digit strip without a minus sign.
std::string scoreText(int32_t score) { return score >= 1 ? std::to_string(score) + "0" : "0"; }

std::string levelText(int32_t level) { return std::to_string(level < 0 ? 0 : level); }

}  // namespace

void Form1::drawStatus() {
    if (difficulty != kExpert) drawGauges(*this);

    maskedSprite(30, kNumY, kScoreLabelW, kNumH, picNum, kScoreLabelX, 0, kScoreLabelX, kMaskRow);
    drawDigits(*this, scoreText(score), 69);

    maskedSprite(264, kNumY, kLevelLabelW, kNumH, picNum, kLevelLabelX, 0, kLevelLabelX, kMaskRow);
    drawDigits(*this, levelText(level), 280);
}

}  // namespace game
