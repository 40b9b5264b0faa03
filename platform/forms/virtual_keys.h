// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows virtual-key codes the game and the key table speak of, and the
// bit of GetKeyState's answer that says a key is held.
#pragma once

#include <cstdint>

namespace vk {

constexpr int kCancel = 3;                             // alone among the mouse buttons
constexpr int kShift = 16, kControl = 17, kMenu = 18;  // Menu is Alt
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kLeft = 37, kRight = 39;
constexpr int kF11 = 122;  // full screen, unless the game plays it
// The left and right keys of each modifier.
constexpr int kLeftShift = 160, kRightShift = 161, kLeftControl = 162, kRightControl = 163, kLeftMenu = 164,
              kRightMenu = 165;

// What a key reads as when Windows has no code for it: no play key can be this.
constexpr int kNoCode = 255;

constexpr int16_t kDownBit = 0x80;

}  // namespace vk
