#include "settingsfile.h"

#include "textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cctype>
#include <vector>

namespace tallimo {

namespace {

const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

enum class Charset { Gb18030, Utf8 };

std::optional<QString> Decode(const QByteArray &bytes, Charset charset)
{
    return charset == Charset::Utf8 ? DecodeUtf8(bytes) : DecodeGb18030(bytes);
}

std::optional<QByteArray> Encode(const QString &text, Charset charset)
{
    return charset == Charset::Utf8 ? EncodeUtf8(text) : EncodeGb18030(text);
}

// The file's own character set: a byte order mark says UTF-8; otherwise the code page, unless
// the bytes are not GB18030 but are UTF-8. A file valid in neither is taken as the code page, and
// its lines that do not decode are kept as they are.
Charset CharsetOf(const QByteArray &bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        return Charset::Utf8;
    if (!DecodeGb18030(bytes) && DecodeUtf8(bytes))
        return Charset::Utf8;
    return Charset::Gb18030;
}

QString WithoutLineBreaks(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// Without regard to letter case, as the file's names have always been matched.
bool SameName(const QString &name, const QString &wanted)
{
    return name.compare(wanted, Qt::CaseInsensitive) == 0;
}

}  // namespace

struct SettingsFile::Lines {
    struct Line {
        enum class Kind { Other, Section, Key };
        QByteArray text;       // without its line break
        QByteArray lineBreak;  // "\r\n" or "\n"; empty on a last line that has none
        Kind kind = Kind::Other;
        // A section's name; nothing when its bytes do not decode.
        std::optional<QString> section;
        // A key's name as it stands in the file, decoded only when a lookup needs it.
        QByteArray key;
    };

    QByteArray bom;
    Charset charset = Charset::Gb18030;
    QByteArray lineBreak = QByteArrayLiteral("\r\n");  // for lines this program adds
    std::vector<Line> lines;
    std::optional<QString> unencodableKey;  // a key whose value could not be encoded

    void read(const QByteArray &bytes);
    void classify(Line &line) const;
    // The index of the key's line, or of the header of the section's first appearance when the
    // key is missing; lines.size() when the section is missing too.
    struct Found {
        size_t line;
        bool isKey;
    };
    Found find(const QString &section, const QString &key) const;
    bool isKey(const Line &line, const QString &key) const;
    void insert(size_t at, Line line);
    QByteArray bytes() const;
};

void SettingsFile::Lines::read(const QByteArray &all)
{
    charset = CharsetOf(all);
    const bool hasBom = charset == Charset::Utf8 && all.startsWith(kUtf8Bom);
    bom = hasBom ? kUtf8Bom : QByteArray();
    if (all.contains('\n') && !all.contains("\r\n"))
        lineBreak = QByteArrayLiteral("\n");

    const QByteArrayView rest = QByteArrayView(all).sliced(bom.size());
    qsizetype start = 0;
    while (start < rest.size()) {
        qsizetype end = rest.indexOf('\n', start);
        Line line;
        if (end < 0) {
            line.text = rest.sliced(start).toByteArray();
            end = rest.size();
        } else {
            const bool crlf = end > start && rest.at(end - 1) == '\r';
            line.text = rest.sliced(start, end - start - (crlf ? 1 : 0)).toByteArray();
            line.lineBreak = crlf ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
            ++end;
        }
        classify(line);
        lines.push_back(std::move(line));
        start = end;
    }
}

// A section header starts with "[" and has a "]" after it; a key line has an "=" and is no
// comment. "=" stands for itself in both character sets (no multi-byte character contains its
// byte), so a key's name can be cut from the bytes; a header is cut from its decoded text, since
// a GBK character may end in the byte of "]".
void SettingsFile::Lines::classify(Line &line) const
{
    const QByteArray trimmed = line.text.trimmed();
    if (trimmed.startsWith('[') && trimmed.indexOf(']') > 0) {
        line.kind = Line::Kind::Section;
        if (const auto text = Decode(trimmed, charset)) {
            const qsizetype close = text->lastIndexOf(QLatin1Char(']'));
            if (close > 0)
                line.section = text->mid(1, close - 1).trimmed();
        }
        return;
    }
    const qsizetype equals = trimmed.indexOf('=');
    if (equals > 0 && !trimmed.startsWith(';') && !trimmed.startsWith('#')) {
        line.kind = Line::Kind::Key;
        line.key = trimmed.left(equals).trimmed();
    }
}

// Non-ASCII bytes never decode to ASCII characters, so an ASCII name (every name the program
// looks up) is compared with the bytes as they stand, folding ASCII letters alone.
bool SettingsFile::Lines::isKey(const Line &line, const QString &key) const
{
    if (line.kind != Line::Kind::Key)
        return false;
    if (IsAscii(key))
        return line.key.compare(key.toLatin1(), Qt::CaseInsensitive) == 0;
    const auto name = Decode(line.key, charset);
    return name && SameName(*name, key);
}

SettingsFile::Lines::Found SettingsFile::Lines::find(const QString &section,
                                                     const QString &key) const
{
    std::optional<size_t> header;
    bool inSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Line &line = lines[i];
        if (line.kind == Line::Kind::Section) {
            inSection = line.section && SameName(*line.section, section);
            if (inSection && !header)
                header = i;
        } else if (inSection && isKey(line, key)) {
            return {i, true};
        }
    }
    return {header.value_or(lines.size()), false};
}

void SettingsFile::Lines::insert(size_t at, Line line)
{
    // A last line without a line break gets one before anything follows it.
    if (at > 0 && lines[at - 1].lineBreak.isEmpty())
        lines[at - 1].lineBreak = lineBreak;
    line.lineBreak = lineBreak;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

QByteArray SettingsFile::Lines::bytes() const
{
    QByteArray all = bom;
    for (const Line &line : lines)
        all += line.text + line.lineBreak;
    return all;
}

SettingsFile::SettingsFile() : lines_(std::make_unique<Lines>()) {}
SettingsFile::~SettingsFile() = default;
SettingsFile::SettingsFile(SettingsFile &&other) noexcept = default;
SettingsFile &SettingsFile::operator=(SettingsFile &&other) noexcept = default;

SettingsFile SettingsFile::Load(const QString &path)
{
    QFile source(path);
    if (!source.exists())
        return SettingsFile();
    if (!source.open(QIODevice::ReadOnly)) {
        SettingsFile file;
        file.intact_ = false;
        return file;
    }
    return FromBytes(source.readAll());
}

SettingsFile SettingsFile::FromBytes(const QByteArray &bytes)
{
    SettingsFile file;
    file.lines_->read(bytes);
    return file;
}

std::optional<QString> SettingsFile::value(const QString &section, const QString &key) const
{
    const Lines::Found found = lines_->find(section, key);
    if (!found.isKey)
        return std::nullopt;
    const QByteArray &text = lines_->lines[found.line].text;
    const auto decoded = Decode(text.mid(text.indexOf('=') + 1), lines_->charset);
    return decoded ? std::optional<QString>(decoded->trimmed()) : std::nullopt;
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
    const QString name = WithoutLineBreaks(key);
    const auto encoded =
        Encode(name + QLatin1Char('=') + WithoutLineBreaks(value), lines_->charset);
    if (!encoded) {
        lines_->unencodableKey = name;
        return;
    }
    Lines::Line line;
    line.text = *encoded;
    lines_->classify(line);

    const Lines::Found found = lines_->find(section, key);
    auto &lines = lines_->lines;
    if (found.isKey) {
        line.lineBreak = lines[found.line].lineBreak;
        lines[found.line] = std::move(line);
        return;
    }
    if (found.line < lines.size()) {
        // After the section's last key, so that comments and blank lines before the next
        // section stay where they are.
        size_t at = found.line + 1;
        for (size_t i = at; i < lines.size() && lines[i].kind != Lines::Line::Kind::Section; ++i) {
            if (lines[i].kind == Lines::Line::Kind::Key)
                at = i + 1;
        }
        lines_->insert(at, std::move(line));
        return;
    }
    const auto header =
        Encode(QLatin1Char('[') + WithoutLineBreaks(section) + QLatin1Char(']'), lines_->charset);
    if (!header) {
        lines_->unencodableKey = name;
        return;
    }
    if (!lines.empty() && !lines.back().text.trimmed().isEmpty())
        lines_->insert(lines.size(), Lines::Line{});
    Lines::Line headerLine;
    headerLine.text = *header;
    lines_->classify(headerLine);
    lines_->insert(lines.size(), std::move(headerLine));
    lines_->insert(lines.size(), std::move(line));
}

void SettingsFile::setInteger(const QString &section, const QString &key, qint32 value)
{
    setValue(section, key, QString::number(value));
}

void SettingsFile::setBoolean(const QString &section, const QString &key, bool value)
{
    setValue(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QByteArray SettingsFile::toBytes() const { return lines_->bytes(); }

SettingsFile::SaveResult SettingsFile::save(const QString &path) const
{
    SaveResult result;
    result.path = path;
    if (!intact_) {
        result.error = QStringLiteral("the existing file could not be read");
        return result;
    }
    if (lines_->unencodableKey) {
        result.error =
            QStringLiteral("the value of %1 cannot be written in the file's character set")
                .arg(*lines_->unencodableKey);
        return result;
    }
    // A file its owner made read-only stays so, also for the superuser, whom permission bits do
    // not stop.
    const QFileInfo existing(path);
    if (existing.exists() && !existing.permissions().testFlag(QFile::WriteOwner)) {
        result.error = QStringLiteral("the file is read-only");
        return result;
    }
    QDir().mkpath(existing.absolutePath());
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
