// SPDX-License-Identifier: GPL-3.0-or-later
#include "document_opener.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

extern char** environ;

namespace qtfront {

bool DocumentOpener::pending() const {
    if (reporting_) return true;
    const auto now = Clock::now();
    for (const Running& r : running_)
        if (now - r.started < kWatchTime) return true;
    return false;
}

bool DocumentOpener::open(const std::string& path, std::function<void()> failed) {
    if (pending()) return true;
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) return false;
    // A session of its own: a Ctrl+C in the terminal that started the game
    // does not reach the browser.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::string program = program_, document = path;
    char* argv[] = {program.data(), document.data(), nullptr};
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, program.c_str(), nullptr, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) return false;
    running_.push_back({pid, Clock::now(), std::move(failed)});
    return true;
}

void DocumentOpener::poll(const std::function<void(std::function<void()>)>& report) {
    for (auto it = running_.begin(); it != running_.end();) {
        int status = 0;
        const pid_t done = waitpid(it->pid, &status, WNOHANG);
        if (done == 0 || (done < 0 && errno == EINTR)) {
            ++it;
            continue;
        }
        const bool ok = done == it->pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (!ok && Clock::now() - it->started < kWatchTime && it->failed) {
            reporting_ = true;
            report([this, failed = std::move(it->failed)] {
                // Done with once its box is closed, or when it ends the program.
                struct Done {
                    bool& flag;
                    ~Done() { flag = false; }
                } done{reporting_};
                failed();
            });
        }
        it = running_.erase(it);
    }
}

}  // namespace qtfront
