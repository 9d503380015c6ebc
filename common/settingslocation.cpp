// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/settingslocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "common/programfolders.h"

namespace tallimo {

namespace {

const QString FileName = QStringLiteral("setinfo.ini");

QString FileIn(const QString &folder) { return QDir(folder).filePath(FileName); }

}  // namespace

SettingsFolders DefaultSettingsFolders()
{
    const QString executableFolder = QCoreApplication::applicationDirPath();
    const QString configuration =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    // An installed program never writes beside itself, even where it could (as root).
    if (RunsFromInstalledPrefix(executableFolder))
        return {configuration, configuration};
    return {executableFolder, configuration};
}

QString SettingsWritePath(const SettingsFolders &folders, const FileWrites &writes)
{
    const bool portable =
        QFileInfo(folders.besideExecutable).isDir() && writes.mayCreateIn(folders.besideExecutable);
    return FileIn(portable ? folders.besideExecutable : folders.userConfiguration);
}

QString SettingsReadPath(const SettingsFolders &folders, const FileWrites &writes)
{
    const QString beside = FileIn(folders.besideExecutable);
    for (const QString &path :
         {SettingsWritePath(folders, writes), beside, FileIn(folders.userConfiguration)}) {
        if (QFileInfo::exists(path))
            return path;
    }
    return beside;
}

}  // namespace tallimo
