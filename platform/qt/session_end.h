// SPDX-License-Identifier: GPL-3.0-or-later
// The ends of a run that do not come through the window: SIGTERM, SIGHUP and
// SIGINT (a logout, a closed terminal, Ctrl+C in it) and the session
// manager's request to save before logout. Each is turned into one call on the
// main thread, from Qt's event processing, so the game can save and quit as it
// does from its menu; nothing is done inside the signal handler but a write
// to a pipe.
#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace qtfront {

class SessionEnd {
public:
    // Needs the QApplication. Only one may exist at a time.
    explicit SessionEnd(std::function<void()> endRequested);
    ~SessionEnd();
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

private:
    void drain();

    std::function<void()> endRequested_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace qtfront
