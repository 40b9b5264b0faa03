// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform::files {

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

FileBytes readRegularFile(const std::string& path, size_t limit) {
    FileBytes file;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        file.status = errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::NotRegular;
        return file;
    }
    if (!S_ISREG(st.st_mode)) {
        file.status = ReadStatus::NotRegular;
        return file;
    }
    // Non-blocking, and checked again once open: something else may have been
    // put in its place since.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        file.status = errno == ENOENT ? ReadStatus::Missing : ReadStatus::Unreadable;
        return file;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        file.status = ReadStatus::NotRegular;
        return file;
    }
    // One byte past the limit tells a file that is too big from one that fits.
    std::string bytes;
    bytes.reserve(static_cast<size_t>(st.st_size) < limit ? static_cast<size_t>(st.st_size) + 1 : limit + 1);
    char chunk[1 << 16];
    bool failed = false;
    while (bytes.size() <= limit) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failed = true;
        if (n <= 0) break;
        bytes.append(chunk, static_cast<size_t>(n));
    }
    ::close(fd);
    if (failed) {
        file.status = ReadStatus::Unreadable;
        return file;
    }
    file.status = bytes.size() > limit ? ReadStatus::TooBig : ReadStatus::Ok;
    if (bytes.size() > limit) bytes.resize(limit);
    file.bytes = std::move(bytes);
    return file;
}

}  // namespace platform::files
