// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "common/filereplace.h"

namespace tallimo {

// Where setinfo.ini lives. A portable install keeps it beside the executable; when that folder
// cannot be written (an install under a system folder), the user's configuration folder takes
// its place.
struct SettingsFolders {
    QString besideExecutable;
    QString userConfiguration;
};

// The executable's folder and the application's configuration folder; for a program run from an
// installed prefix, the configuration folder in both places.
SettingsFolders DefaultSettingsFolders();

// The file that saves go to.
QString SettingsWritePath(const SettingsFolders &folders,
                          const FileWrites &writes = SystemFileWrites());

// The file that is read: the one saves go to when it exists, otherwise the one beside the
// executable, so a file shipped with a read-only install serves until the first save; failing
// both, the one in the configuration folder, left there while the executable's folder could not
// be written.
QString SettingsReadPath(const SettingsFolders &folders,
                         const FileWrites &writes = SystemFileWrites());

}  // namespace tallimo
