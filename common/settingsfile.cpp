// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/settingsfile.h"

#include "common/textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cctype>
#include <vector>

namespace tallimo {

namespace {

const QByteArray Utf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");
const QByteArray Utf16LeBom = QByteArrayLiteral("\xFF\xFE");
const QByteArray Utf16BeBom = QByteArrayLiteral("\xFE\xFF");

enum class Charset { Gb18030, Utf8, Utf16Le, Utf16Be };

bool IsUtf16(Charset charset) { return charset == Charset::Utf16Le || charset == Charset::Utf16Be; }

QStringConverter::Encoding Utf16Encoding(Charset charset)
{
    return charset == Charset::Utf16Le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
}

std::optional<QString> Decode(const QByteArray &bytes, Charset charset)
{
    if (IsUtf16(charset)) {
        QStringDecoder decoder(Utf16Encoding(charset), QStringConverter::Flag::Stateless);
        QString text = decoder.decode(bytes);
        return decoder.hasError() ? std::nullopt : std::optional<QString>(std::move(text));
    }
    return charset == Charset::Utf8 ? DecodeUtf8(bytes) : DecodeGb18030(bytes);
}

std::optional<QByteArray> Encode(const QString &text, Charset charset)
{
    if (IsUtf16(charset)) {
        // A lone surrogate would be written, but would not read back.
        if (!text.isValidUtf16())
            return std::nullopt;
        QStringEncoder encoder(Utf16Encoding(charset), QStringConverter::Flag::Stateless);
        QByteArray bytes = encoder.encode(text);
        return encoder.hasError() ? std::nullopt : std::optional<QByteArray>(std::move(bytes));
    }
    return charset == Charset::Utf8 ? EncodeUtf8(text) : EncodeGb18030(text);
}

// The file's own character set: a byte order mark says UTF-16 (either byte order) or UTF-8;
// otherwise the code page, unless the bytes are not GB18030 but are UTF-8. A file valid in
// neither is taken as the code page, and its lines that do not decode are kept as they are.
Charset CharsetOf(const QByteArray &bytes)
{
    if (bytes.startsWith(Utf16LeBom))
        return Charset::Utf16Le;
    if (bytes.startsWith(Utf16BeBom))
        return Charset::Utf16Be;
    if (bytes.startsWith(Utf8Bom))
        return Charset::Utf8;
    if (!DecodeGb18030(bytes) && DecodeUtf8(bytes))
        return Charset::Utf8;
    return Charset::Gb18030;
}

QByteArray BomOf(Charset charset, const QByteArray &bytes)
{
    switch (charset) {
    case Charset::Utf16Le:
        return Utf16LeBom;
    case Charset::Utf16Be:
        return Utf16BeBom;
    case Charset::Utf8:
        return bytes.startsWith(Utf8Bom) ? Utf8Bom : QByteArray();
    case Charset::Gb18030:
        break;
    }
    return {};
}

// The bytes as code units: single bytes, or whole pairs in the file's byte order.
class Units {
public:
    Units(QByteArrayView bytes, Charset charset)
        : bytes_(bytes), charset_(charset), size_(IsUtf16(charset) ? 2 : 1)
    {
    }
    qsizetype count() const { return bytes_.size() / size_; }
    char16_t at(qsizetype unit) const
    {
        const qsizetype at = unit * size_;
        if (size_ == 1)
            return static_cast<uchar>(bytes_[at]);
        const auto first = static_cast<uchar>(bytes_[at]);
        const auto second = static_cast<uchar>(bytes_[at + 1]);
        return charset_ == Charset::Utf16Le ? char16_t(first | second << 8)
                                            : char16_t(first << 8 | second);
    }
    QByteArray slice(qsizetype first, qsizetype end) const
    {
        return bytes_.sliced(first * size_, (end - first) * size_).toByteArray();
    }

private:
    QByteArrayView bytes_;
    Charset charset_;
    qsizetype size_;
};

// Without the blanks at either end that QByteArray::trimmed() takes from the 8-bit lines.
QString TrimmedAscii(const QString &text)
{
    const auto blank = [](QChar c) {
        return c == QLatin1Char(' ') || (c >= QLatin1Char('\t') && c <= QLatin1Char('\r'));
    };
    qsizetype first = 0, end = text.size();
    while (first < end && blank(text[first]))
        ++first;
    while (end > first && blank(text[end - 1]))
        --end;
    return text.mid(first, end - first);
}

QString WithoutLineBreaks(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// Without regard to the case of ASCII letters, as the bytes of 8-bit lines are matched. Other
// characters match only themselves: a long s or a Kelvin sign, which Unicode folds to an ASCII
// letter, makes another name.
bool SameName(QStringView name, QStringView wanted)
{
    const auto folded = [](QChar c) {
        return c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? c.unicode() + 0x20 : c.unicode();
    };
    return name.size() == wanted.size() &&
           std::equal(name.begin(), name.end(), wanted.begin(),
                      [&](QChar a, QChar b) { return folded(a) == folded(b); });
}

}  // namespace

struct SettingsFile::Lines {
    struct Line {
        enum class Kind { Other, Section, Key };
        QByteArray text;  // without its line break
        // CR LF, LF or CR in the file's character set; empty on a line that has none: the last,
        // or the one before half a character at the end of a UTF-16 file.
        QByteArray lineBreak;
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
    // Whether the line holds nothing but blanks.
    bool isBlank(const QByteArray &text) const;
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
    bom = BomOf(charset, all);

    QByteArrayView body = QByteArrayView(all).sliced(bom.size());
    // A UTF-16 file cut off in the middle of a character ends in half a unit: a line of its own,
    // part of no key or section, so that it stays at the end whatever is written.
    const QByteArrayView half =
        IsUtf16(charset) && body.size() % 2 != 0 ? body.last(1) : QByteArrayView();
    body.chop(half.size());
    const Units units(body, charset);
    bool crlf = false, lf = false, cr = false;
    qsizetype start = 0;
    for (qsizetype at = 0; at <= units.count(); ++at) {
        const char16_t unit = at < units.count() ? units.at(at) : 0;
        const bool end = at == units.count();
        if (!end && unit != u'\n' && unit != u'\r')
            continue;
        if (end && start == at)
            break;
        Line line;
        line.text = units.slice(start, at);
        if (!end) {
            const bool pair = unit == u'\r' && at + 1 < units.count() && units.at(at + 1) == u'\n';
            line.lineBreak = units.slice(at, at + (pair ? 2 : 1));
            (pair ? crlf : unit == u'\n' ? lf : cr) = true;
            at += pair ? 1 : 0;
        }
        classify(line);
        lines.push_back(std::move(line));
        start = at + 1;
    }
    if (!half.isEmpty()) {
        Line line;
        line.text = half.toByteArray();
        lines.push_back(std::move(line));
    }
    // New lines end as the file's lines do: CR LF unless the file has only LF or only CR. In a
    // file of both, an added blank line that ended in LF would join a CR before it into one
    // CR LF.
    const QString newBreak = lf && !crlf && !cr   ? QStringLiteral("\n")
                             : cr && !crlf && !lf ? QStringLiteral("\r")
                                                  : QStringLiteral("\r\n");
    lineBreak = Encode(newBreak, charset).value_or(QByteArrayLiteral("\r\n"));
}

bool SettingsFile::Lines::isBlank(const QByteArray &text) const
{
    if (IsUtf16(charset))
        return TrimmedAscii(Decode(text, charset).value_or(QStringLiteral("x"))).isEmpty();
    return text.trimmed().isEmpty();
}

// A section header starts with "[" and has a "]" after it; a key line has an "=" and is no
// comment. In the 8-bit character sets "=" stands for itself (no multi-byte character contains
// its byte), so a key's name can be cut from the bytes; a header is cut from its decoded text,
// since a GBK character may end in the byte of "]". A UTF-16 line is looked at as its text, and
// one that does not decode is neither.
void SettingsFile::Lines::classify(Line &line) const
{
    if (IsUtf16(charset)) {
        const std::optional<QString> text = Decode(line.text, charset);
        if (!text)
            return;
        const QString trimmed = TrimmedAscii(*text);
        const qsizetype close = trimmed.lastIndexOf(QLatin1Char(']'));
        if (trimmed.startsWith(QLatin1Char('[')) && close > 0) {
            line.kind = Line::Kind::Section;
            line.section = trimmed.mid(1, close - 1).trimmed();
            return;
        }
        const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
        if (equals > 0 && !trimmed.startsWith(QLatin1Char(';')) &&
            !trimmed.startsWith(QLatin1Char('#'))) {
            line.kind = Line::Kind::Key;
            line.key = Encode(TrimmedAscii(trimmed.left(equals)), charset).value_or(QByteArray());
        }
        return;
    }
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
    if (IsAscii(key) && !IsUtf16(charset))
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
    // Half a character at the end of a UTF-16 file stays there, so that what is added stays in
    // whole characters.
    if (at == lines.size() && at > 0 && IsUtf16(charset) && lines.back().text.size() % 2 != 0)
        --at;
    // A line without a line break (the last, or the one before half a character) gets one before
    // anything follows it.
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

SettingsFile SettingsFile::Load(const QString &path, const FileReads &reads)
{
    if (!QFile::exists(path) && !QFileInfo(path).isSymLink())
        return SettingsFile();
    QFile source;
    if (OpenToRead(source, path, reads)) {
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

std::optional<QString> SettingsFile::Text(const QString &section, const QString &key) const
{
    const Lines::Found found = lines_->find(section, key);
    if (!found.isKey)
        return std::nullopt;
    const QByteArray &text = lines_->lines[found.line].text;
    if (IsUtf16(lines_->charset)) {
        const auto decoded = Decode(text, lines_->charset);
        return decoded ? std::optional<QString>(
                             decoded->mid(decoded->indexOf(QLatin1Char('=')) + 1).trimmed())
                       : std::nullopt;
    }
    const auto decoded = Decode(text.mid(text.indexOf('=') + 1), lines_->charset);
    return decoded ? std::optional<QString>(decoded->trimmed()) : std::nullopt;
}

std::optional<qint32> SettingsFile::Integer(const QString &section, const QString &key) const
{
    const auto text = Text(section, key);
    return text ? IniTextToInteger(*text) : std::nullopt;
}

std::optional<bool> SettingsFile::Boolean(const QString &section, const QString &key) const
{
    const auto number = Integer(section, key);
    return number ? std::optional<bool>(*number != 0) : std::nullopt;
}

void SettingsFile::SetText(const QString &section, const QString &key, const QString &value)
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
    if (!lines.empty() && !lines_->isBlank(lines.back().text))
        lines_->insert(lines.size(), Lines::Line{});
    Lines::Line headerLine;
    headerLine.text = *header;
    lines_->classify(headerLine);
    lines_->insert(lines.size(), std::move(headerLine));
    lines_->insert(lines.size(), std::move(line));
}

void SettingsFile::SetInteger(const QString &section, const QString &key, qint32 value)
{
    SetText(section, key, QString::number(value));
}

void SettingsFile::SetBoolean(const QString &section, const QString &key, bool value)
{
    SetText(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QByteArray SettingsFile::ToBytes() const { return lines_->bytes(); }

SettingsFile::SaveResult SettingsFile::Save(const QString &path, const FileWrites &writes) const
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
    std::optional<QString> failure = MakeOwnFolder(existing.absolutePath(), writes);
    if (!failure)
        failure = ReplaceOwnFile(path, ToBytes(), writes);
    result.saved = !failure;
    result.error = failure.value_or(QString());
    return result;
}

QString SettingsSaveFailure(const SettingsFile::SaveResult &result)
{
    return QStringLiteral("Unable to write to %1: %2")
        .arg(QDir::toNativeSeparators(result.path), result.error);
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
