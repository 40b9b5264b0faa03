// SPDX-License-Identifier: GPL-3.0-or-later
// One play frame, composed in the back buffer picSUB and presented into picMain
// with a single copy, so the player never sees a half-drawn frame.
#include <cmath>

#include "render/blend_library.h"
#include "shell/form1.h"

namespace game {

namespace {

constexpr int kBannerMs = 1500;
constexpr int kBannerX = 16, kBannerY = 52, kBannerW = 314, kBannerH = 74;
constexpr int kSpriteH = 47;  // heroine frames
constexpr int kEnemyW = 32, kEnemyH = 46, kEnemyStride = 33;
constexpr int kHeartW = 25, kHeartH = 22, kTrailHeartX = 26;
constexpr int kExplosionSize = 38, kExplosionFrames = 16;
constexpr float kSuddenHorizon = 125;  // under SUDDEN MODE enemies farther down are hidden
constexpr int kTrailDropFrames = 3;
constexpr int kTrailRise = 16;
constexpr int kTrailGone = -20;

// The explosion sheet holds 8 cells of 52.5 pixels per row; the 38 x 38 ring
// sits 8 pixels into each cell.
int explosionCellX(int frame) { return static_cast<int>(std::floor((frame % 8) * 52.5)) + 8; }
int explosionCellY(int frame) { return static_cast<int>(std::floor((frame / 8) * 52.5)) + 8; }

void drawBanner(Form1& f) {
    if (f.bannerLevel < f.level) {
        f.bannerLevel = f.level;
        f.bannerUntil = tickAdd(f.now(), kBannerMs);
    }
    if (tickDiff(f.bannerUntil, f.frameTick) > 0)
        BitBlt(f.picSUB.hdc(), kBannerX, kBannerY, kBannerW, kBannerH, f.picLv.hdc(), 0, 0, SRCCOPY);
}

void drawHeroine(Form1& f) {
    const int frame = f.heroFrame;
    if (frame < 0 || frame > 3 || !isLane(f.heroLane)) return;
    const int w = f.heroFrameX[frame + 1] - f.heroFrameX[frame];
    f.maskedSprite(f.laneX[f.heroLane] - 9, f.heroY, w, kSpriteH, f.picRRK, f.heroFrameX[frame], 0,
                   f.heroFrameX[frame + 4], 0);
}

void drawEnemies(Form1& f) {
    const bool sudden = f.suddenMode();
    for (int i = 0; i < kEnemySlots; ++i) {
        if (isFree(f.enemyLane[i])) continue;
        if (f.enemyTurnState[i] >= 2 && f.blinkPhase == 1) continue;
        if (sudden && f.enemyY[i] > kSuddenHorizon) continue;
        const int sx = kEnemyStride * (f.enemyFrame[i] == 1 ? 1 : 0);
        // The silhouette is its own mask: black where the enemy is, white around it.
        f.maskedSprite(f.laneX[f.enemyLane[i]] - 13, roundHalfEven(f.enemyY[i]), kEnemyW, kEnemyH, f.picTEKI, sx, 0, sx,
                       0);
    }
}

void dropTrailPiece(Form1& f, int shot) {
    if (++f.shotTrailFrames[shot] < kTrailDropFrames) return;
    f.shotTrailFrames[shot] = 0;
    const int t = firstFreeSlot(f.trailLane);
    if (t < 0) return;
    f.trailLane[t] = f.shotLane[shot];
    f.trailY[t] = static_cast<int16_t>(roundHalfEven(static_cast<double>(f.shotY[shot]) - 12));
}

void drawShots(Form1& f) {
    for (int i = 0; i < kShotSlots; ++i) {
        if (isFree(f.shotLane[i])) continue;
        const int jitter = static_cast<int>(std::floor(static_cast<double>(f.Rnd()) * 7));
        f.addSprite(f.laneX[f.shotLane[i]] - 12 + jitter, roundHalfEven(f.shotY[i]), kHeartW, kHeartH, f.picHRT, 0, 0);
        if (f.shotWave[i] != 0) dropTrailPiece(f, i);
    }
}

void drawTrail(Form1& f) {
    for (int t = 0; t < kTrailSlots; ++t) {
        if (isFree(f.trailLane[t])) continue;
        // Pieces near the heroine shake harder.
        const int spread = f.trailY[t] < 100 ? 11 : 8;
        int d = static_cast<int>(std::floor(static_cast<double>(f.Rnd()) * spread));
        if (f.Rnd() > 0.5f) d = -d;
        f.trailY[t] = static_cast<int16_t>(f.trailY[t] - kTrailRise);
        f.addSprite(f.laneX[f.trailLane[t]] - 12 + d, f.trailY[t], kHeartW, kHeartH, f.picHRT, kTrailHeartX, 0);
        if (f.trailY[t] < kTrailGone) f.trailLane[t] = kFreeSlot;
    }
}

void drawExplosions(Form1& f) {
    for (int k = 0; k < kParticleSlots; ++k) {
        if (isFree(f.particleX[k])) continue;
        const int frame = f.particleAge[k];
        if (frame < 0 || frame >= kExplosionFrames) continue;
        f.addSprite(f.particleX[k] - 16, f.particleY[k] - 16, kExplosionSize, kExplosionSize, f.picEXP,
                    explosionCellX(frame), explosionCellY(frame));
    }
}

}  // namespace

void Form1::drawFrame() {
    blinkPhase = static_cast<int16_t>((blinkPhase + 1) % 2);

    // The background covers the whole picture, so clearing first would only be
    // painted over; a smaller or missing one shows the cleared back colour.
    if (picBG.scaleWidth() < kPlaySize || picBG.scaleHeight() < kPlaySize) picSUB.cls();
    BitBlt(picSUB.hdc(), 0, 0, kPlaySize, kPlaySize, picBG.hdc(), 0, 0, SRCCOPY);

    drawBanner(*this);
    drawHeroine(*this);
    drawEnemies(*this);
    drawShots(*this);
    drawTrail(*this);
    drawExplosions(*this);
    drawStatus();

    BitBlt(picMain.hdc(), 0, 0, kPlaySize, kPlaySize, picSUB.hdc(), 0, 0, SRCCOPY);
}

void Form1::addSprite(int x, int y, int w, int h, const forms::PictureBox& sprite, int sx, int sy) {
    // Without the blend library the glow layers are left out rather than the game.
    if (!blend) return;
    blend->addBlend(picSUB.hdc(), x, y, w, h, picSUB.hdc(), x, y, sprite.hdc(), sx, sy, mmxMode, 0);
}

void Form1::maskedSprite(int x, int y, int w, int h, const forms::PictureBox& strip, int imageX, int imageY, int maskX,
                         int maskY) {
    BitBlt(picSUB.hdc(), x, y, w, h, strip.hdc(), maskX, maskY, SRCERASE);
    BitBlt(picSUB.hdc(), x, y, w, h, strip.hdc(), imageX, imageY, SRCERASE);
}

}  // namespace game
