// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping a file out of the way under a name of its own.
#pragma once

#include <string>

namespace platform::files {

// Renames whatever is at `path` (a file, a folder, a FIFO, a symbolic link as
// the link itself) to the first free name of path + suffix, path + suffix + "2",
// path + suffix + "3", …, never replacing anything already there. Returns the
// new path, or "" when it could not be renamed.
std::string setAside(const std::string& path, const std::string& suffix);

}  // namespace platform::files
