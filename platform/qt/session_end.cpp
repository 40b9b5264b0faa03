// SPDX-License-Identifier: GPL-3.0-or-later
#include "session_end.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace qtfront {

namespace {

int pipeEnds[2] = {-1, -1};
constexpr int kEndSignals[] = {SIGTERM, SIGHUP, SIGINT};

extern "C" void noteSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a request; nothing more to say.
    (void)!::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

}  // namespace

SessionEnd::SessionEnd(std::function<void()> endRequested) : endRequested_(std::move(endRequested)) {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { drain(); });
    struct sigaction action = {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : kEndSignals) ::sigaction(sig, &action, nullptr);
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // The session manager asks before logout; the game saves and goes.
        QObject::connect(app, &QGuiApplication::commitDataRequest, notifier_.get(), [this](QSessionManager&) {
            if (endRequested_) endRequested_();
        });
    }
}

SessionEnd::~SessionEnd() {
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int sig : kEndSignals) ::sigaction(sig, &action, nullptr);
    notifier_.reset();
    for (int& end : pipeEnds) {
        if (end >= 0) ::close(end);
        end = -1;
    }
}

void SessionEnd::drain() {
    char bytes[64];
    bool any = false;
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) any = true;
    if (any && endRequested_) endRequested_();
}

}  // namespace qtfront
