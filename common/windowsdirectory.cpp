// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/windowsdirectory.h"

#include <QDir>
#include <QStandardPaths>

namespace tallimo {

QString WindowsDirectory(const FileWrites &writes)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty())
        return folder;
    // A folder that cannot be made shows up as the failed write of the file meant for it.
    MakeOwnFolder(folder, writes);
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

}  // namespace tallimo
