// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a file that must be a plain file: the settings file, the pictures.
#pragma once

#include <cstddef>
#include <string>

namespace platform::files {

enum class ReadStatus {
    Ok,
    TooBig,      // holds more than the limit; the first `limit` bytes were read
    Missing,     // nothing at the path (a symbolic link to nothing included)
    NotRegular,  // a folder, a FIFO, a device, a socket
    Unreadable,  // there, but opening or reading it failed
};

struct FileBytes {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
};

// Whether `path` is a regular file (or a symbolic link to one), looked at
// without opening it.
bool isRegularFile(const std::string& path);

// Reads the regular file at `path`, following a symbolic link. Anything else is
// refused without being opened, so a FIFO in a file's place never blocks.
FileBytes readRegularFile(const std::string& path, size_t limit);

}  // namespace platform::files
