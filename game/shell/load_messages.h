// SPDX-License-Identifier: GPL-3.0-or-later
// The player's words for a program or library file the system could not take,
// shared by the game's start-up and the launcher.
#pragma once

#include <string>

#include "loader/load_problem.h"

namespace game {

// The file's name, then why: "<path>: <reason>", as the start-up boxes name it.
std::string loadFailureText(const std::string& path, const platform::LoadFailure& failure);

}  // namespace game
