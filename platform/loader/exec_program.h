// SPDX-License-Identifier: GPL-3.0-or-later
// Handing the running process over to another program.
#pragma once

#include <string>

#include "loader/load_problem.h"

namespace platform {

// Replaces the running process by the program at `path` with the same
// arguments and environment, so the process id, its signals and its exit
// status stay the caller's. Returns only when that failed: kExecFailed with
// the system's words for the error.
LoadFailure execProgram(const std::string& path, char** argv);

}  // namespace platform
