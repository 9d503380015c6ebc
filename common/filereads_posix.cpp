// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/filereads.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace tallimo {

FileReads SystemFileReads()
{
    return {[](const QByteArray &path) { return ::open(path.constData(), O_RDONLY | O_CLOEXEC); }};
}

FileReads OwnFileReads()
{
    return {[](const QByteArray &path) {
        return ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    }};
}

std::optional<QString> OpenToRead(QFile &file, const QString &path, const FileReads &reads)
{
    const int fd = reads.open(QFile::encodeName(path));
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    return std::nullopt;
}

}  // namespace tallimo
