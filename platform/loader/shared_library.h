// SPDX-License-Identifier: GPL-3.0-or-later
// A shared library bound by file name at run time, opened at the first look-up
// of one of its symbols, so a missing or broken library is reported when it is
// first needed instead of at start.
#pragma once

#include <stdexcept>
#include <string>

#include "loader/load_problem.h"

namespace platform {

// The file and the reason; the caller words it for the player. what() is the
// path and the system's detail, for a log.
struct LibraryError : std::runtime_error {
    LibraryError(std::string file, LoadFailure why)
        : std::runtime_error(why.detail.empty() ? file : file + ": " + why.detail),
          path(std::move(file)),
          failure(std::move(why)) {}
    std::string path;
    LoadFailure failure;
};

// Not thread-safe: the game looks symbols up from its one thread. Once opening
// has failed, every later look-up throws the same error again without retrying.
class SharedLibrary {
public:
    explicit SharedLibrary(std::string path);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // The address of an exported symbol; LibraryError when the library can't be
    // opened or has no such symbol.
    void* symbol(const char* name);
    const std::string& path() const { return path_; }

private:
    void open();

    std::string path_;
    void* handle_ = nullptr;
    LoadFailure failure_;
};

}  // namespace platform
