// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace tallimo {

// The calls through which the program's file saves reach the disk, so that tests can make a
// save fail the way a full disk or a read-only folder does, whoever runs them.
struct FileWrites {
    // Whether new files may be made in the folder.
    std::function<bool(const QString &folder)> mayCreateIn;
    // Makes and opens a new file from a mkstemp() pattern, whose name it fills in: the
    // descriptor, or -1 with errno set.
    std::function<int(char *pattern)> create;
    // Writes to an open file: the count of bytes written, or -1 with errno set.
    std::function<qint64(int fd, const char *data, qint64 size)> write;
};

FileWrites SystemFileWrites();

// Replaces the file with these bytes, whole or not at all: they go to a new file beside it,
// which gets the old file's mode, owner and group (the owner as far as the program may give
// it, that is when it runs as the superuser) and is then renamed over the old one. A file
// that did not exist is made with mode 0666 less the umask. Returns nothing when the file was
// replaced, else the system's reason, and leaves the old file as it was.
std::optional<QString> ReplaceFile(const QString &path, const QByteArray &bytes,
                                   const FileWrites &writes = SystemFileWrites());

}  // namespace tallimo
