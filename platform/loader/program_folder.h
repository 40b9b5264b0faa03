// SPDX-License-Identifier: GPL-3.0-or-later
// The folder of the running program, where the game's files lie beside it.
#pragma once

#include <string>

namespace platform {

// Absolute, without a trailing slash; the current directory when the
// executable's path cannot be read.
std::string programFolder();

}  // namespace platform
