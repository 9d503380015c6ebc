// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The sheet kept across runs: an option of its own section of the settings file, and the sheet's
// text in a UTF-8 file in the program's data folder, replaced whole on every save.

#include <QMutex>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <optional>

#include "common/filereads.h"
#include "common/filereplace.h"
#include "common/settingsfile.h"
#include "common/settingslocation.h"

namespace tallimo {

inline constexpr char KeptSheetFileName[] = "sheet.txt";

// The option, off when the key is missing or unreadable.
bool ReadKeepSheet(const SettingsFile &file);
bool LoadKeepSheet(const SettingsFolders &folders);
// Writes the option's key alone; every other byte of the file stays as it was.
SettingsFile::SaveResult SaveKeepSheet(const SettingsFolders &folders, bool on);

// The kept sheet's text, or an empty text when there is no file. A file that a sheet file may
// not be (a link, not a regular file, larger than MaxSheetFileBytes), that cannot be read, is
// not valid UTF-8 or breaks the bounds of the window's sheet (SheetBoundBreach) raises
// CalcError with a message for the user and is left as it is.
QString ReadKeptSheet(const QString &path, const FileReads &reads = OwnFileReads());

// Replaces the file with the text in UTF-8, whole or not at all, keeping its owner and mode;
// a link at the path is refused. Throws CalcError with the system's reason.
void WriteKeptSheet(const QString &path, const QString &text,
                    const FileWrites &writes = SystemFileWrites());

// Writes the kept sheet in the order the saves are asked for: a save while typing goes to a
// thread of its own, so the window never waits for the disk; a save at exit or a removal first
// waits for the saves before it.
class KeptSheetWriter {
public:
    // How a save on the writer's thread ended: nothing, or the message of its failure. Called on
    // the writer's thread.
    using Outcome = std::function<void(const std::optional<QString> &failure)>;

    explicit KeptSheetWriter(const FileWrites &writes = SystemFileWrites());
    ~KeptSheetWriter();

    // Writes later, on the writer's thread, and tells `outcome`, if given, how it went.
    void SaveLater(const QString &path, const QString &text, Outcome outcome = nullptr);
    // Writes now, after any earlier save. Throws CalcError.
    void SaveNow(const QString &path, const QString &text);
    // Removes the file, after any earlier save; a missing file is no failure. Throws CalcError.
    void Remove(const QString &path);
    // Waits for the saves asked for so far.
    void Wait();
    // Whether the last save failed, so that the file holds less than the sheet did; a later
    // save that lands clears it. Call after Wait() for the saves asked for so far.
    bool LastSaveFailed();

private:
    void Write(const QString &path, const QString &text);

    const FileWrites writes_;
    QThreadPool thread_;
    QMutex failedLock_;
    bool lastSaveFailed_ = false;
};

}  // namespace tallimo
