// SPDX-License-Identifier: GPL-3.0-or-later
// One running copy per settings file: a second start hands the player back to
// the window already open instead of playing beside it, since the copy that
// quits last would overwrite the other's best scores.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QString>

#include <functional>
#include <memory>

namespace qtfront {

class SingleInstance {
public:
    enum class Claim {
        First,        // this copy runs; the lock is held until it ends
        Handed,       // another copy runs and was asked to show its window
        Unreachable,  // another copy holds the lock but does not answer
    };

    // `dataFile` is the settings file the copy would use; the lock lies
    // beside it, and the other copies are found by its name.
    explicit SingleInstance(const QString& dataFile);
    ~SingleInstance();

    // Takes the lock (a lock left by a copy that died is taken over) or asks
    // the copy holding it to come to the front.
    Claim claim();
    // Called (inside Qt's event dispatch) when a later start asks for the window.
    void onRaise(std::function<void()> raise) { raise_ = std::move(raise); }

    QString lockPath() const { return lock_.fileName(); }
    QString serverName() const { return serverName_; }

private:
    bool askToRaise() const;
    void listen();

    QLockFile lock_;
    QString serverName_;
    std::unique_ptr<QLocalServer> server_;
    std::function<void()> raise_;
};

}  // namespace qtfront
