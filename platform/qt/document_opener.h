// SPDX-License-Identifier: GPL-3.0-or-later
// Opens a document with the desktop's opener (xdg-open) without waiting for
// it, and hears afterwards whether the opener managed: an opener reports its
// failure (no browser, no association) only once it has tried, long after a
// command that waited for it would have frozen the game.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace qtfront {

class DocumentOpener {
public:
    using Clock = std::chrono::steady_clock;
    // A failure reported later than this after the start belongs to whatever
    // the opener started (a browser closing), not to the opening.
    static constexpr auto kWatchTime = std::chrono::seconds(30);

    explicit DocumentOpener(std::string program = "xdg-open") : program_(std::move(program)) {}
    ~DocumentOpener() = default;
    DocumentOpener(const DocumentOpener&) = delete;
    DocumentOpener& operator=(const DocumentOpener&) = delete;

    // Starts the opener on `path`; false when it could not even start.
    // `failed` is handed to poll's caller once the opener ends unsuccessfully.
    // While a request is pending (its opener still watched, or its failure
    // handed on and not yet done with), a new one starts nothing and waits on
    // it: a key held or pressed again and again never stacks failure boxes.
    bool open(const std::string& path, std::function<void()> failed);
    // Collects the openers that have ended; the failures of each go to `report`.
    void poll(const std::function<void(std::function<void()>)>& report);
    bool watching() const { return !running_.empty(); }
    bool pending() const;

private:
    struct Running {
        pid_t pid;
        Clock::time_point started;
        std::function<void()> failed;
    };
    std::string program_;
    std::vector<Running> running_;
    bool reporting_ = false;  // a failure handed on whose callback has not finished
};

}  // namespace qtfront
