// Handing the running process over to another program.
#pragma once

#include <string>

namespace platform {

// Replaces the running process by the program at `path` with the same
// arguments and environment, so the process id, its signals and its exit
// status stay the caller's. Returns only when that failed, with the reason.
std::string execProgram(const std::string& path, char** argv);

}  // namespace platform
