// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Files that fail the program the way a full disk, a read-only folder or a file without read
// permission does, whoever runs the test (permission bits do not bind the superuser).

#include <QString>

#include <cerrno>
#include <cstring>

#include "common/filereads.h"
#include "common/filereplace.h"

namespace tallimo {

inline FileWrites FullDisk()
{
    FileWrites writes = SystemFileWrites();
    writes.write = [](int, const char *, qint64) -> qint64 {
        errno = ENOSPC;
        return -1;
    };
    return writes;
}

// A folder in which no file may be made.
inline FileWrites ReadOnlyFolder()
{
    FileWrites writes = SystemFileWrites();
    writes.mayCreateIn = [](const QString &) { return false; };
    writes.create = [](char *) {
        errno = EACCES;
        return -1;
    };
    return writes;
}

// Files the program may not read.
inline FileReads UnreadableFiles()
{
    return {[](const QByteArray &) {
        errno = EACCES;
        return -1;
    }};
}

// The system's own words for these failures, in the locale of the run.
inline QString NoSpaceReason() { return QString::fromLocal8Bit(std::strerror(ENOSPC)); }
inline QString NoPermissionReason() { return QString::fromLocal8Bit(std::strerror(EACCES)); }

}  // namespace tallimo
