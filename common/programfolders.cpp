// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/programfolders.h"

#include <QDir>
#include <QFileInfo>

#include "common/programinfo.h"

namespace tallimo {

namespace {

QString PrivateModuleFolder(const QString &executableFolder)
{
    return QDir::cleanPath(QDir(executableFolder).filePath(QString::fromLatin1(ModulesFromBin)));
}

}  // namespace

bool RunsFromInstalledPrefix(const QString &executableFolder)
{
    return QFileInfo(PrivateModuleFolder(executableFolder)).isDir();
}

QString ModuleFolder(const QString &executableFolder)
{
    return RunsFromInstalledPrefix(executableFolder) ? PrivateModuleFolder(executableFolder)
                                                     : executableFolder;
}

}  // namespace tallimo
