// SPDX-License-Identifier: GPL-3.0-or-later
// Colours as the game writes them, on their own so that plain tables of the
// game can name a colour without the controls model.
#pragma once

#include <cstdint>

namespace forms {

// 0x00RRGGBB.
using Color = uint32_t;
constexpr Color rgb(int r, int g, int b) {
    return (uint32_t(r & 0xFF) << 16) | (uint32_t(g & 0xFF) << 8) | uint32_t(b & 0xFF);
}
constexpr Color kNoColor = 0xFFFFFFFFu;  // "use the toolkit's default"

}  // namespace forms
