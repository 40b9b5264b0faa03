// SPDX-License-Identifier: GPL-3.0-or-later
#include "loader/program_folder.h"

#include <filesystem>
#include <system_error>

namespace platform {

std::string programFolder() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && exe.is_absolute() && exe.has_parent_path()) return exe.parent_path().string();
    std::filesystem::path here = std::filesystem::current_path(error);
    return error ? std::string(".") : here.string();
}

}  // namespace platform
