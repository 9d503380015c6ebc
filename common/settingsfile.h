// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "common/filereads.h"
#include "common/filereplace.h"

#include <memory>
#include <optional>

namespace tallimo {

// The settings file setinfo.ini: an INI file in the Chinese code page 936 (read and written as
// GB18030, which keeps every GBK byte as it is), in UTF-8 when it starts with a UTF-8 byte order
// mark or is valid UTF-8 but not GB18030, or in UTF-16 of either byte order when it starts with
// that byte order mark. Lines end in CR LF, LF or CR alone. Sections and keys are found without
// regard to the case of ASCII letters.
//
// Other programs and people edit this file too, so it is kept as the lines of bytes it was read
// as: only the lines of keys that are set are encoded anew, in the file's character set, and a
// line the program adds ends as the file's lines do. Every other line (other sections and keys,
// comments, lines without "=", bytes valid in no character set, NUL bytes) and every line break
// goes back exactly as it was read. A save replaces the file through a temporary file that is
// renamed over the old one, so a failed save leaves the old file as it was.
class SettingsFile {
public:
    SettingsFile();
    ~SettingsFile();
    SettingsFile(SettingsFile &&other) noexcept;
    SettingsFile &operator=(SettingsFile &&other) noexcept;

    // A missing file reads as an empty one. A file that exists but cannot be read (a link among
    // them: the program's own file is not reached through one) also reads as empty, and
    // IsIntact() tells that saving it would throw its contents away.
    static SettingsFile Load(const QString &path, const FileReads &reads = OwnFileReads());
    // A file holding these bytes, as Load reads it.
    static SettingsFile FromBytes(const QByteArray &bytes);

    bool IsIntact() const { return intact_; }

    std::optional<QString> Text(const QString &section, const QString &key) const;
    // Unreadable text counts as missing.
    std::optional<qint32> Integer(const QString &section, const QString &key) const;
    // Any integer but 0 is true.
    std::optional<bool> Boolean(const QString &section, const QString &key) const;

    // Replaces the key's line where it stands, spelt as given, or adds the key after the last key
    // of the section (appending the section when missing). A value that the file's character
    // set cannot express leaves the file as it was and makes Save() fail.
    void SetText(const QString &section, const QString &key, const QString &value);
    void SetInteger(const QString &section, const QString &key, qint32 value);
    void SetBoolean(const QString &section, const QString &key, bool value);

    // The file's bytes as a save would write them (without the values that could not be
    // encoded).
    QByteArray ToBytes() const;

    struct SaveResult {
        bool saved = false;
        QString path;
        QString error;  // why the file could not be written, when not saved
    };
    // Creates the folder when missing (MakeOwnFolder). Fails, writing nothing, when the file that
    // was loaded could not be read, a value could not be encoded, the file on disk is read-only
    // (its owner may not write it) or a link. The new file keeps the old one's owner and mode.
    SaveResult Save(const QString &path, const FileWrites &writes = SystemFileWrites()) const;

private:
    struct Lines;
    std::unique_ptr<Lines> lines_;
    bool intact_ = true;
};

// What the user is told of a save that failed: the file's full path and the reason.
QString SettingsSaveFailure(const SettingsFile::SaveResult &result);

// An integer of the settings file: decimal with an optional sign, or hexadecimal after "$" or
// "0x"; hexadecimal takes up to 32 bits, read as two's complement.
std::optional<qint32> IniTextToInteger(const QString &text);

}  // namespace tallimo
