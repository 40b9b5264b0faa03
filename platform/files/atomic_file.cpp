// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <filesystem>

namespace platform::files {

namespace {

namespace fs = std::filesystem;

std::atomic<unsigned> tempCounter{0};

// ".<name>.<process id>.<counter>.tmp", hidden beside the file it replaces.
std::string tempPrefix(const fs::path& target) { return "." + target.filename().string() + "."; }
constexpr std::string_view kTempSuffix = ".tmp";

fs::path folderOf(const fs::path& target) { return target.has_parent_path() ? target.parent_path() : fs::path("."); }

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Makes the rename itself durable; a folder that can't be synced is no failure
// of the write, which has already happened.
void syncFolder(const fs::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The process id inside a temporary file's name, or -1 when the name is not
// one of ours.
pid_t writerOf(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || !name.ends_with(kTempSuffix)) return -1;
    name.remove_prefix(prefix.size());
    name.remove_suffix(kTempSuffix.size());
    const size_t dot = name.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size()) return -1;
    for (size_t i = 0; i < name.size(); ++i)
        if (i != dot && (name[i] < '0' || name[i] > '9')) return -1;
    pid_t pid = -1;
    auto [end, ec] = std::from_chars(name.data(), name.data() + dot, pid);
    return ec == std::errc() && end == name.data() + dot && pid > 0 ? pid : -1;
}

bool running(pid_t pid) { return pid != ::getpid() && (::kill(pid, 0) == 0 || errno == EPERM); }

}  // namespace

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
    const fs::path target(path);
    const fs::path folder = folderOf(target);
    struct stat old {};
    const bool replacing = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    if (replacing && (old.st_mode & S_IWUSR) == 0) return false;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path temp = folder / (tempPrefix(target) + std::to_string(::getpid()) + "." +
                                        std::to_string(tempCounter++) + std::string(kTempSuffix));
        // 0666 under the umask, like any file the program creates.
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        // The new file keeps the permissions the player gave the old one.
        if (replacing) ::fchmod(fd, old.st_mode & 07777);
        bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
        ok = ::close(fd) == 0 && ok;
        if (ok && ::rename(temp.c_str(), target.c_str()) == 0) {
            syncFolder(folder);
            return true;
        }
        ::unlink(temp.c_str());
        return false;
    }
    return false;
}

void removeLeftoverTemporaries(const std::string& path) {
    const fs::path target(path);
    const fs::path folder = folderOf(target);
    const std::string prefix = tempPrefix(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t writer = writerOf(entry->d_name, prefix);
        if (writer < 0 || running(writer)) continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

}  // namespace platform::files
