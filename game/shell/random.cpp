// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/random.h"

#include <chrono>

namespace game {

void Random::seed(uint64_t seed) {
    // splitmix64 of the seed, so nearby seeds start far apart.
    uint64_t z = seed + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    state_ = (z ^ (z >> 31)) | 1;
    queued_.clear();
}

void Random::seedFromTimeOfDay() {
    auto t = std::chrono::system_clock::now().time_since_epoch();
    seed(static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(t).count()));
}

float Random::next() {
    ++draws_;
    if (!queued_.empty()) {
        float v = queued_.front();
        queued_.pop_front();
        return v;
    }
    // xorshift64*: fast, and good enough for a game.
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    uint64_t r = state_ * 0x2545F4914F6CDD1Dull;
    return static_cast<float>(r >> 40) * (1.0f / 16777216.0f);
}

}  // namespace game
