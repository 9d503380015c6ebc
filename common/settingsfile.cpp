#include "settingsfile.h"

#include "textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

// The library's implementation is compiled here; this program stores UTF-8 text and needs none
// of its character conversions.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace tallimo {

namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");

std::string ToUtf8(const QString &text) { return text.toUtf8().toStdString(); }

QString WithoutLineBreaks(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

}  // namespace

// The library finds names by folding ASCII letters only. It is given UTF-8, whose multi-byte
// characters contain no ASCII bytes, so folding cannot touch them; raw GBK could, because its
// trail bytes include ASCII letters.
struct SettingsFile::Ini : CSimpleIniA {
    // Duplicate keys are kept so that a save writes them back; a lookup sees the first one.
    Ini() : CSimpleIniA(true, true, false) { SetSpaces(false); }
};

SettingsFile::SettingsFile() : ini_(std::make_unique<Ini>()), lineBreak_(kCrLf) {}
SettingsFile::~SettingsFile() = default;
SettingsFile::SettingsFile(SettingsFile &&other) noexcept = default;
SettingsFile &SettingsFile::operator=(SettingsFile &&other) noexcept = default;

SettingsFile SettingsFile::Load(const QString &path)
{
    SettingsFile file;
    QFile source(path);
    if (!source.exists())
        return file;
    if (!source.open(QIODevice::ReadOnly)) {
        file.intact_ = false;
        return file;
    }
    const QByteArray bytes = source.readAll();
    if (bytes.contains('\n') && !bytes.contains(kCrLf))
        file.lineBreak_ = QByteArrayLiteral("\n");
    // A file edited as UTF-8 is usually not valid GB18030; it is read as UTF-8 then, and written
    // back in GB18030 like any other.
    const QString text = DecodeGb18030(bytes).value_or(QString::fromUtf8(bytes));
    const QByteArray utf8 = text.toUtf8();
    file.ini_->LoadData(utf8.constData(), static_cast<size_t>(utf8.size()));
    return file;
}

std::optional<QString> SettingsFile::value(const QString &section, const QString &key) const
{
    const char *text = ini_->GetValue(ToUtf8(section).c_str(), ToUtf8(key).c_str(), nullptr);
    if (!text)
        return std::nullopt;
    return QString::fromUtf8(text);
}

std::optional<qint32> SettingsFile::integer(const QString &section, const QString &key) const
{
    const auto text = value(section, key);
    return text ? IniTextToInteger(*text) : std::nullopt;
}

std::optional<bool> SettingsFile::boolean(const QString &section, const QString &key) const
{
    const auto number = integer(section, key);
    return number ? std::optional<bool>(*number != 0) : std::nullopt;
}

void SettingsFile::setValue(const QString &section, const QString &key, const QString &value)
{
    // A line break inside a value would start a line of its own: a new key or section.
    ini_->SetValue(ToUtf8(section).c_str(), ToUtf8(WithoutLineBreaks(key)).c_str(),
                   ToUtf8(WithoutLineBreaks(value)).c_str(), nullptr, true);
}

void SettingsFile::setInteger(const QString &section, const QString &key, qint32 value)
{
    setValue(section, key, QString::number(value));
}

void SettingsFile::setBoolean(const QString &section, const QString &key, bool value)
{
    setValue(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QByteArray SettingsFile::toBytes() const
{
    std::string utf8;
    ini_->Save(utf8);
    QByteArray bytes = EncodeGb18030(QString::fromStdString(utf8));
    if (lineBreak_ != "\n")
        bytes.replace('\n', lineBreak_);
    return bytes;
}

SettingsFile::SaveResult SettingsFile::save(const QString &path) const
{
    SaveResult result;
    result.path = path;
    if (!intact_) {
        result.error = QStringLiteral("the existing file could not be read");
        return result;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile target(path);
    if (target.open(QIODevice::WriteOnly)) {
        target.write(toBytes());
        result.saved = target.commit();
    }
    if (!result.saved)
        result.error = target.errorString();
    return result;
}

std::optional<qint32> IniTextToInteger(const QString &text)
{
    QStringView digits(text);
    if (digits.startsWith(QLatin1Char('$')))
        digits = digits.mid(1);
    else if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = digits.mid(2);
    else {
        bool ok = false;
        const int number = text.toInt(&ok, 10);
        return ok ? std::optional<qint32>(number) : std::nullopt;
    }
    // The digits alone: no sign, space or second prefix.
    const bool allHex = !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) {
        return c.unicode() < 128 && std::isxdigit(c.unicode());
    });
    bool ok = false;
    const uint number = allHex ? digits.toUInt(&ok, 16) : 0;
    return ok ? std::optional<qint32>(static_cast<qint32>(number)) : std::nullopt;
}

}  // namespace tallimo
