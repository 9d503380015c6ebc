// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

namespace tallimo {

namespace {

// How long a later start tries to reach the running program, which may be starting itself and
// not listen yet.
constexpr int ConnectMilliseconds = 5000;
constexpr int ConnectRetryMilliseconds = 20;

std::optional<sockaddr_un> AddressOf(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (name.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return std::nullopt;
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    return address;
}

// Connects to the running program and leaves again: its window comes up.
bool Knock(const sockaddr_un &address)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

}  // namespace

QString SingleInstance::DefaultSocketPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
        .filePath(QStringLiteral("tallimo.socket"));
}

SingleInstance::SingleInstance(QString socketPath, QObject *parent)
    : QObject(parent), socketPath_(std::move(socketPath))
{
}

SingleInstance::~SingleInstance()
{
    if (listening_ >= 0) {
        // Removed while the lock is still held: no later start has taken the path yet.
        ::unlink(QFile::encodeName(socketPath_).constData());
        ::close(listening_);
    }
    if (lock_ >= 0)
        ::close(lock_);
}

bool SingleInstance::Claim()
{
    const QByteArray lockPath = QFile::encodeName(socketPath_ + QStringLiteral(".lock"));
    lock_ = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lock_ < 0) {
        // Without a lock the program runs all the same, only without the guard.
        qWarning("Later starts cannot find this one: %s", std::strerror(errno));
        return true;
    }
    if (::flock(lock_, LOCK_EX | LOCK_NB) == 0) {
        Listen();
        return true;
    }
    ::close(lock_);
    lock_ = -1;
    // The program that holds the lock runs; it may still be on its way to listening.
    const std::optional<sockaddr_un> address = AddressOf(socketPath_);
    for (int waited = 0; address && waited < ConnectMilliseconds;
         waited += ConnectRetryMilliseconds) {
        if (Knock(*address))
            return false;
        QThread::msleep(ConnectRetryMilliseconds);
    }
    qWarning("The running program does not answer; this start ends.");
    return false;
}

void SingleInstance::Listen()
{
    const std::optional<sockaddr_un> address = AddressOf(socketPath_);
    // The lock is held: whatever is left at the path belongs to a run that has ended.
    ::unlink(QFile::encodeName(socketPath_).constData());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    const bool listening =
        address && fd >= 0 &&
        ::bind(fd, reinterpret_cast<const sockaddr *>(&*address), sizeof *address) == 0 &&
        ::chmod(address->sun_path, 0600) == 0 && ::listen(fd, SOMAXCONN) == 0;
    if (!listening) {
        // Where no socket can be made, the program runs all the same, only without the guard.
        qWarning("Later starts cannot find this one: %s",
                 address ? std::strerror(errno) : "the socket's path is too long");
        if (fd >= 0)
            ::close(fd);
        return;
    }
    listening_ = fd;
    notifier_ = new QSocketNotifier(listening_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SingleInstance::Accept);
}

void SingleInstance::Accept()
{
    for (;;) {
        const int start = ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC);
        if (start < 0)
            return;
        ::close(start);
        emit showRequested();
    }
}

}  // namespace tallimo
