// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>
#include <functional>
#include <optional>

namespace tallimo {

// Who a file or folder belongs to.
struct FileOwner {
    uid_t user = 0;
    gid_t group = 0;
};

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
    // Gives an open file or folder to an owner: 0, or -1 with errno set.
    std::function<int(int fd, const FileOwner &owner)> giveTo;
    // The owner that a file or folder the program makes for itself at this path gets, other
    // than the program's own user: the owner of the home folder when the program runs in a home
    // folder it does not own (the superuser with another user's HOME) and the path lies in it.
    std::function<std::optional<FileOwner>(const QString &path)> ownerOfNew;
};

FileWrites SystemFileWrites();

// Replaces the file with these bytes, whole or not at all: they go to a new file beside it,
// which gets the old file's mode, owner and group (the owner as far as the program may give
// it, that is when it runs as the superuser) and is then renamed over the old one. A file
// that did not exist is made with mode 0666 less the umask. Returns nothing when the file was
// replaced, else the system's reason, and leaves the old file as it was.
//
// A file the user chose is reached through links, as any editor does: the link stays and the
// file it names is replaced.
std::optional<QString> ReplaceFile(const QString &path, const QByteArray &bytes,
                                   const FileWrites &writes = SystemFileWrites());

// The same for a file the program keeps for itself (the kept sheet, the settings file, the
// calendar page): a link at the path is refused, never written through, and a new file gets
// the owner that `writes.ownerOfNew` names for it.
std::optional<QString> ReplaceOwnFile(const QString &path, const QByteArray &bytes,
                                      const FileWrites &writes = SystemFileWrites());

// Makes the folder and any missing folder above it for the program's own files; each folder
// it makes gets the owner that `writes.ownerOfNew` names. Returns nothing when the folder is
// there, else the system's reason.
std::optional<QString> MakeOwnFolder(const QString &folder,
                                     const FileWrites &writes = SystemFileWrites());

// Removes what a save of the program's own file cut short left beside it: the regular files
// named as its temporaries are. Called at start, before the first save; links stay.
void RemoveStaleTemporaries(const QString &path);

// The reason given for a program's own file that is a symbolic link.
QString SymbolicLinkReason();

}  // namespace tallimo
