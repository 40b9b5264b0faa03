// SPDX-License-Identifier: GPL-3.0-or-later
#include "single_instance.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>

#include <unistd.h>

namespace qtfront {

namespace {

constexpr int kAnswerMs = 3000;
const QByteArray kRaise = "raise\n";
const QByteArray kRaised = "ok\n";

QString lockBeside(const QString& dataFile) {
    const QFileInfo info(dataFile);
    return info.absolutePath() + QLatin1String("/.") + info.fileName() + QLatin1String(".lock");
}

// The same settings file gives the same name for every copy of one user;
// another user's copy never answers for ours.
QString serverFor(const QString& dataFile) {
    const QByteArray key = QFile::encodeName(QFileInfo(dataFile).absoluteFilePath());
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24);
    return QStringLiteral("lanebeam-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

}  // namespace

SingleInstance::SingleInstance(const QString& dataFile)
    : lock_(lockBeside(dataFile)), serverName_(serverFor(dataFile)) {
    // A copy may run for hours: only a lock whose process is gone is stale.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
    server_.reset();
    if (lock_.isLocked()) lock_.unlock();
}

SingleInstance::Claim SingleInstance::claim() {
    if (lock_.tryLock(0)) {
        listen();
        return Claim::First;
    }
    if (lock_.error() != QLockFile::LockFailedError) {
        // No lock can be made there (a read-only folder, a full disk): nothing
        // can be saved either, and there is no other copy to protect.
        return Claim::First;
    }
    // The other copy may be starting up and not listening yet.
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (askToRaise()) return Claim::Handed;
        if (lock_.tryLock(100)) {
            listen();
            return Claim::First;
        }
    }
    return Claim::Unreachable;
}

bool SingleInstance::askToRaise() const {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(kAnswerMs / 10)) return false;
    socket.write(kRaise);
    if (!socket.waitForBytesWritten(kAnswerMs)) return false;
    QByteArray answer;
    while (!answer.endsWith('\n') && socket.waitForReadyRead(kAnswerMs)) answer += socket.readAll();
    return answer == kRaised;
}

void SingleInstance::listen() {
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // The lock is ours, so a socket of that name is left from a copy that died.
    QLocalServer::removeServer(serverName_);
    if (!server_->listen(serverName_)) return;
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                if (!socket->readAll().contains('\n')) return;
                if (raise_) raise_();
                socket->write(kRaised);
                socket->flush();
            });
        }
    });
}

}  // namespace qtfront
