// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/set_aside.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

namespace platform::files {

namespace {

constexpr int kMaxCopies = 999;

// Renames without replacing. A file system without that kind of rename gets a
// look first and a plain rename, which only another program racing us could
// defeat.
int renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0 || errno != ENOENT) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.c_str(), to.c_str());
}

}  // namespace

std::string setAside(const std::string& path, const std::string& suffix) {
    for (int n = 1; n <= kMaxCopies; ++n) {
        const std::string candidate = path + suffix + (n == 1 ? "" : std::to_string(n));
        if (renameNoReplace(path, candidate) == 0) return candidate;
        if (errno != EEXIST && errno != ENOTEMPTY) return "";
    }
    return "";
}

}  // namespace platform::files
