// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>
#include <optional>

namespace tallimo {

// The one call through which the program's file reads open a file, so that tests can make a
// file unreadable whoever runs them.
struct FileReads {
    // Opens the file for reading: its descriptor, or -1 with errno set.
    std::function<int(const QByteArray &path)> open;
};

FileReads SystemFileReads();
// The reads of the program's own files (the kept sheet, the settings file): a link at the path
// is not followed, its opening fails.
FileReads OwnFileReads();

// Opens `file` on the file at `path` for reading: nothing when it is open, else the system's
// reason.
std::optional<QString> OpenToRead(QFile &file, const QString &path,
                                  const FileReads &reads = SystemFileReads());

}  // namespace tallimo
