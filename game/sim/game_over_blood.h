// SPDX-License-Identifier: GPL-3.0-or-later
// The blood of the game-over sequence: blobs that fly, fall and fade, and
// droplets that spray up from the heroine. Only numbers here; the sequence
// draws them, and the tests watch them.
#pragma once

#include <array>
#include <cstdint>

#include "shell/game_state.h"
#include "shell/random.h"
#include "shell/vbmath.h"

namespace game::blood {

constexpr int kBlobs = 121;        // 0 ... 120
constexpr int kRoundBlobs = 100;   // 0 ... 99 fly and fade; 100 ... 120 are flat pools
constexpr int kFallingBlobs = 71;  // 0 ... 70 fall with full gravity
constexpr int kDroplets = 101;
constexpr int kDropletFloor = 30;  // a droplet below this row is gone

struct Blob {
    float x = 0, y = 0, vx = 0, vy = 0, g = 0;
    int16_t red = 0, radius = 0;
    float aspect = 1;  // vertical radius / horizontal radius
};

struct Droplet {
    float x = kFreeSlot, y = 0, vx = 0, vy = 0;  // x marks a free entry
};

struct Spray {
    std::array<Blob, kBlobs> blobs;
    std::array<Droplet, kDroplets> droplets;
};

// Every blob at the heroine (lane centre x0, row heroY), every droplet free.
void startSpray(Spray& s, Random& rnd, double x0, int heroY);

// One pass over the blobs in index order: each moves, is drawn by
// draw(const Blob&), then fades by 2 red levels if it is a round one.
template <typename Draw>
void moveBlobs(Spray& s, Draw&& draw) {
    for (int i = 0; i < kBlobs; ++i) {
        Blob& b = s.blobs[i];
        b.x = static_cast<float>(static_cast<double>(b.x) + b.vx);
        b.vy = static_cast<float>(static_cast<double>(b.vy) + b.g);
        b.y = static_cast<float>(static_cast<double>(b.y) + b.vy);
        draw(static_cast<const Blob&>(b));
        if (b.red > 0 && i < kRoundBlobs) b.red = static_cast<int16_t>(b.red > 2 ? b.red - 2 : 0);
    }
}

// Two to six new droplets, each in the first free entry; none when all are
// taken.
void addDroplets(Spray& s, Random& rnd, double x0, int heroY);

// Moves every live droplet; one that has fallen below the floor is freed, the
// others are plotted by plot(x, y, red).
template <typename Plot>
void moveDroplets(Spray& s, Random& rnd, Plot&& plot) {
    for (Droplet& d : s.droplets) {
        if (isFree(d.x)) continue;
        d.y = static_cast<float>(static_cast<double>(d.y) + d.vy);
        d.x = static_cast<float>(static_cast<double>(d.x) + d.vx);
        d.vy = static_cast<float>(static_cast<double>(d.vy) + 0.55);
        if (d.y > kDropletFloor) {
            d.x = kFreeSlot;
        } else {
            plot(d.x, d.y, roundHalfEven(rnd.next() * 60.0 + 100.0));
        }
    }
}

}  // namespace game::blood
