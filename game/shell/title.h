// SPDX-License-Identifier: GPL-3.0-or-later
// The game's name, the title of its window and of its start-up boxes.
#pragma once

namespace game {

inline constexpr const char* kTitle = "ルル子の VORN BEAM";

}  // namespace game
