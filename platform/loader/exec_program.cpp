#include "loader/exec_program.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

std::string execProgram(const std::string& path, char** argv) {
    ::execv(path.c_str(), argv);
    return std::string("起動できませんでした（") + std::strerror(errno) + "）。";
}

}  // namespace platform
