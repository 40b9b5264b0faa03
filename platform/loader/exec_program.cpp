// SPDX-License-Identifier: GPL-3.0-or-later
#include "loader/exec_program.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

LoadFailure execProgram(const std::string& path, char** argv) {
    ::execv(path.c_str(), argv);
    return {LoadProblem::kExecFailed, std::strerror(errno)};
}

}  // namespace platform
