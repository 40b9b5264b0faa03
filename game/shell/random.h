// SPDX-License-Identifier: GPL-3.0-or-later
// The game's one random generator: uniform single-precision values in [0, 1).
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

namespace game {

class Random {
public:
    explicit Random(uint64_t seed = 1) { this->seed(seed); }

    void seed(uint64_t seed);
    void seedFromTimeOfDay();

    // A multiple of 2^-24, so it is exact in a float and never reaches 1.0.
    float next();

    // Tests pin a sequence of draws: queued values come out first, in order.
    void queue(const std::vector<float>& values) { queued_.insert(queued_.end(), values.begin(), values.end()); }
    uint64_t draws() const { return draws_; }

private:
    uint64_t state_ = 0;
    uint64_t draws_ = 0;
    std::deque<float> queued_;
};

}  // namespace game
