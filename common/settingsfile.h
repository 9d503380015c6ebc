#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace tallimo {

// The settings file setinfo.ini: an INI file in the Chinese code page 936 (read and written as
// GB18030, which keeps every GBK byte as it is). Sections and keys are found without regard to
// letter case. A save rewrites the whole file through a temporary file that is renamed over the
// old one, so a failed save leaves the old file intact; sections and keys this program does not
// know, comments and the file's line breaks are written back as they were read.
class SettingsFile {
public:
    SettingsFile();
    ~SettingsFile();
    SettingsFile(SettingsFile &&other) noexcept;
    SettingsFile &operator=(SettingsFile &&other) noexcept;

    // A missing file reads as an empty one. A file that exists but cannot be read also reads as
    // empty, and isIntact() tells that saving it would throw its contents away.
    static SettingsFile Load(const QString &path);

    bool isIntact() const { return intact_; }

    std::optional<QString> value(const QString &section, const QString &key) const;
    // Unreadable text counts as missing.
    std::optional<qint32> integer(const QString &section, const QString &key) const;
    // Any integer but 0 is true.
    std::optional<bool> boolean(const QString &section, const QString &key) const;

    // Replaces the key's value where it stands, spelt as given, or appends the key (and the
    // section) when missing.
    void setValue(const QString &section, const QString &key, const QString &value);
    void setInteger(const QString &section, const QString &key, qint32 value);
    void setBoolean(const QString &section, const QString &key, bool value);

    // The file's bytes as a save would write them.
    QByteArray toBytes() const;

    struct SaveResult {
        bool saved = false;
        QString path;
        QString error;  // why the file could not be written, when not saved
    };
    // Creates the folder when missing.
    SaveResult save(const QString &path) const;

private:
    struct Ini;
    std::unique_ptr<Ini> ini_;
    QByteArray lineBreak_;
    bool intact_ = true;
};

// An integer of the settings file: decimal with an optional sign, or hexadecimal after "$" or
// "0x"; hexadecimal takes up to 32 bits, read as two's complement.
std::optional<qint32> IniTextToInteger(const QString &text);

}  // namespace tallimo
