// SPDX-License-Identifier: GPL-3.0-or-later
// The special weapons: what each needs in the gauge before its key does
// anything, what it costs, and the latch that lets one press use it once.
#pragma once

#include <array>
#include <cstdint>

#include "shell/play_keys.h"

namespace game {

class Form1;

struct SpecialRule {
    int32_t minGauge;  // its key does nothing below this
    int32_t cost;      // paid in full even when the shot table has no room
};

inline constexpr SpecialRule kVolleyRule{.minGauge = 50, .cost = 50};
inline constexpr SpecialRule kWaveShotsRule{.minGauge = 100, .cost = 100};
inline constexpr SpecialRule kFreezeRule{.minGauge = 25, .cost = 25};

struct Special {
    PlayAction action;  // the key that uses it
    SpecialRule rule;
    int16_t GameState::*latch;  // 1 from its use until its key is let go
    void (Form1::*use)();
};

// In the order the key polling tries them.
extern const std::array<Special, 3> kSpecials;

}  // namespace game
