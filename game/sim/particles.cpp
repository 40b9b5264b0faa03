// SPDX-License-Identifier: GPL-3.0-or-later
// Explosions: a fixed-size table of anchor points that live 15 drawn frames.
#include "shell/form1.h"

namespace game {

void Form1::spawnParticle(int16_t x, int16_t y) {
    const int i = firstFreeSlot(particleX);
    if (i < 0) return;
    particleX[i] = x;
    particleY[i] = y;
    particleAge[i] = 0;
}

void Form1::ageParticles() {
    for (int i = 0; i < kParticleSlots; ++i) {
        if (isFree(particleX[i])) continue;
        particleAge[i] = static_cast<int16_t>(particleAge[i] + 1);
        if (particleAge[i] > 15) particleX[i] = kFreeSlot;
    }
}

}  // namespace game
