// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/filereplace.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tallimo {

namespace {

QString SystemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Writes all bytes, going on after a partial write; the reason of a failure.
std::optional<QString> WriteAll(int fd, const QByteArray &bytes, const FileWrites &writes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = writes.write(fd, bytes.constData() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return SystemReason(written < 0 ? errno : ENOSPC);
        done += written;
    }
    return std::nullopt;
}

// Gives the new file what the old one had. An owner or group that the program may not give
// (it is not the superuser) is left as the new file's; the mode follows the owner, as a change
// of owner clears the set-user-ID bit.
void TakeOverOwnership(int fd, const struct stat &old)
{
    [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
    ::fchmod(fd, old.st_mode & 07777);
}

// A link is followed, so that the file it names is replaced and the link stays.
QByteArray FileBehindLinks(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    char *resolved = ::realpath(name.constData(), nullptr);
    if (!resolved)
        return name;
    const QByteArray result(resolved);
    std::free(resolved);
    return result;
}

}  // namespace

FileWrites SystemFileWrites()
{
    return {[](const QString &folder) {
                return ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
            },
            [](char *pattern) { return ::mkstemp(pattern); },
            [](int fd, const char *data, qint64 size) -> qint64 {
                return ::write(fd, data, static_cast<size_t>(size));
            }};
}

std::optional<QString> ReplaceFile(const QString &path, const QByteArray &bytes,
                                   const FileWrites &writes)
{
    const QByteArray target = FileBehindLinks(path);
    QByteArray temporary = target + ".XXXXXX";
    const int fd = writes.create(temporary.data());
    if (fd < 0)
        return SystemReason(errno);

    struct stat old = {};
    if (::stat(target.constData(), &old) == 0) {
        TakeOverOwnership(fd, old);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }

    std::optional<QString> failure = WriteAll(fd, bytes, writes);
    if (!failure && ::fsync(fd) != 0)
        failure = SystemReason(errno);
    if (::close(fd) != 0 && !failure)
        failure = SystemReason(errno);
    if (!failure && ::rename(temporary.constData(), target.constData()) != 0)
        failure = SystemReason(errno);
    if (failure)
        ::unlink(temporary.constData());
    return failure;
}

}  // namespace tallimo
