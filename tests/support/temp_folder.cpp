// SPDX-License-Identifier: GPL-3.0-or-later
#include "temp_folder.h"

#include <cstdlib>
#include <filesystem>

namespace fake {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "lanebeam-test-XXXXXX").string();
    if (char* made = mkdtemp(pattern.data())) path = made;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!path.empty()) fs::remove_all(path, ignored);
}

}  // namespace fake
