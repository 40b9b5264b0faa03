// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/game_over_blood.h"

namespace game::blood {

void startSpray(Spray& s, Random& rnd, double x0, int heroY) {
    for (int i = 0; i < kRoundBlobs; ++i) {
        Blob& b = s.blobs[i];
        b.x = static_cast<float>(x0);
        b.y = static_cast<float>(heroY + 16);
        b.vx = static_cast<float>(rnd.next() * 5.0 - 2.5);
        b.vy = static_cast<float>(rnd.next() * 5.0 - 3.5);
        b.red = static_cast<int16_t>(vbIntI(rnd.next() * 70.0) + 140);
        b.aspect = 1;
        if (i >= kFallingBlobs) {
            b.g = static_cast<float>(rnd.next() * 0.01);
            b.y = static_cast<float>(heroY + 22);
        } else {
            b.g = 0.07f;
        }
        // Seven terms of 0 or 1 and one of 0 or 2: mostly small, now and then
        // a big one.
        int radius = 0;
        for (int t = 0; t < 7; ++t) radius += vbIntI(rnd.next() * 1.5);
        radius += 2 * vbIntI(rnd.next() * 1.1);
        b.radius = static_cast<int16_t>(radius);
    }
    for (int i = kRoundBlobs; i < kBlobs; ++i) {
        Blob& b = s.blobs[i];
        b.x = static_cast<float>(x0);
        b.y = static_cast<float>(heroY + 22);
        b.vx = static_cast<float>(rnd.next() / 3.0 - 1.0 / 6.0);
        b.g = static_cast<float>(rnd.next() / 1000.0 - 1.0 / 2000.0);
        b.radius = static_cast<int16_t>(roundHalfEven(rnd.next() * 6.0));
        b.red = 128;
        b.aspect = 0.46f;
        b.vy = 0;
    }
    for (Droplet& d : s.droplets) d.x = kFreeSlot;
}

void addDroplets(Spray& s, Random& rnd, double x0, int heroY) {
    int k = vbIntI(rnd.next() * 5.0) + 1;
    for (int n = 0; n <= k; ++n) {
        const int free = firstFreeSlot(s.droplets, &Droplet::x);
        if (free < 0) return;
        Droplet* d = &s.droplets[free];
        d->x = static_cast<float>(rnd.next() * 7.0 + x0 - 3.5);
        d->y = static_cast<float>(heroY + 16);
        d->vx = static_cast<float>(rnd.next() * 4.0 - 2.0);
        d->vy = static_cast<float>(rnd.next() * 4.0 - 5.8);
    }
}

}  // namespace game::blood
