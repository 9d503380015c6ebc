// Feeds arbitrary bytes to the settings file and the text codecs. The bytes are read as
// setinfo.ini, the window's section and the countdown's name are written, and the result is read
// again; the file may be in the code page, UTF-8 or UTF-16 of either byte order, its lines ended
// by CR LF, LF or CR. Faults (abort): any line the program does not own that does not come back
// byte for byte, a key that does not read back as written, a second identical write that changes
// the bytes, text that does not convert back to its bytes, and any crash or sanitizer report.

#include <QByteArray>
#include <QList>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/calcformsettings.h"
#include "common/settingsfile.h"
#include "common/textcodec.h"

using namespace tallimo;

namespace {

const QString CalcForm = QStringLiteral("calcform");
const QString Gaokao = QStringLiteral("gaokao");
const QString Name = QStringLiteral("name");
const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");
// Every line break a line may gain: in the 8-bit character sets, UTF-16 LE and UTF-16 BE.
const QList<QByteArray> LineBreaks{
    QByteArray("\n"),      QByteArray("\r\n"),        QByteArray("\r"),
    QByteArray("\n\0", 2), QByteArray("\r\0\n\0", 4), QByteArray("\r\0", 2),
    QByteArray("\0\n", 2), QByteArray("\0\r\0\n", 4), QByteArray("\0\r", 2)};

void Require(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz_settings: %s\n", what);
    std::abort();
}

QList<QByteArray> KeyNames()
{
    QList<QByteArray> names;
    SettingsFile file;
    WriteCalcForm(file, FormDefaults());
    for (const QByteArray &line : file.ToBytes().split('\n')) {
        if (line.contains('='))
            names << line.left(line.indexOf('=')).toLower();
    }
    return names << Name.toLatin1();
}

// A line the writer may have replaced, added or left: one of its own keys (in whatever section),
// a header of its sections, or a blank line. Every other line must come back unchanged.
bool MayBeWritten(const QString &line)
{
    static const QList<QByteArray> keys = KeyNames();
    const QString text = line.trimmed();
    if (text.isEmpty())
        return true;
    const QString lower = text.toLower();
    if (lower == u"[calcform]" || lower == u"[gaokao]")
        return true;
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    return equals > 0 && keys.contains(text.left(equals).trimmed().toLower().toLatin1());
}

// The file's code units: bytes, or the pairs of a file that starts with a UTF-16 byte order
// mark, in its byte order.
struct Layout {
    QByteArray bom;
    int unit = 1;
    bool littleEndian = true;
};

Layout LayoutOf(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return {QByteArrayLiteral("\xFF\xFE"), 2, true};
    if (bytes.startsWith("\xFE\xFF"))
        return {QByteArrayLiteral("\xFE\xFF"), 2, false};
    return {bytes.startsWith(Bom) ? Bom : QByteArray(), 1, true};
}

char16_t UnitAt(const QByteArray &bytes, qsizetype at, const Layout &layout)
{
    if (layout.unit == 1)
        return static_cast<uchar>(bytes[at]);
    if (at + 1 >= bytes.size())
        return 0xFFFF;
    const auto first = static_cast<uchar>(bytes[at]), second = static_cast<uchar>(bytes[at + 1]);
    return layout.littleEndian ? char16_t(first | second << 8) : char16_t(first << 8 | second);
}

// A line's text as far as its ASCII goes: its units below 0x80, the rest as a stand-in.
QString AsciiOf(const QByteArray &bytes, const Layout &layout)
{
    QString text;
    for (qsizetype at = 0; at < bytes.size(); at += layout.unit) {
        const char16_t unit = UnitAt(bytes, at, layout);
        text += unit < 0x80 ? QChar(unit) : QChar(u'\uFFFD');
    }
    return text;
}

// The lines the writer must not touch, each with its line break (CR LF, LF or CR).
QList<QByteArray> LinesNotWritten(QByteArray bytes)
{
    const Layout layout = LayoutOf(bytes);
    // A byte order mark stays in front of the first line, whatever that line becomes.
    QList<QByteArray> lines{layout.bom};
    bytes.remove(0, layout.bom.size());
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype next = start;
        while (next < bytes.size()) {
            const char16_t unit = UnitAt(bytes, next, layout);
            next += layout.unit;
            if (unit == u'\r' && next < bytes.size() && UnitAt(bytes, next, layout) == u'\n') {
                next += layout.unit;
                break;
            }
            if (unit == u'\n' || unit == u'\r')
                break;
        }
        next = std::min(next, bytes.size());
        const QByteArray line = bytes.mid(start, next - start);
        if (!MayBeWritten(AsciiOf(line, layout)))
            lines << line;
        start = next;
    }
    return lines;
}

// The same lines, but for a last line without a line break, which gains one when something is
// written after it.
bool SameLines(const QList<QByteArray> &before, const QList<QByteArray> &after)
{
    if (before.size() != after.size())
        return false;
    for (qsizetype i = 0; i < before.size(); ++i) {
        const QByteArray &line = before[i];
        const bool last = i == before.size() - 1;
        if (after[i] == line)
            continue;
        if (!last)
            return false;
        const bool gainsBreak =
            std::any_of(LineBreaks.begin(), LineBreaks.end(),
                        [&](const QByteArray &lineBreak) { return after[i] == line + lineBreak; });
        if (!gainsBreak)
            return false;
    }
    return true;
}

bool IsAscii(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

void CheckCodecs(const QByteArray &bytes)
{
    if (const auto text = DecodeGb18030(bytes))
        Require(EncodeGb18030(*text) == bytes, "GB18030 text converts back to its bytes");
    if (const auto text = DecodeUtf8(bytes))
        Require(EncodeUtf8(*text) == bytes, "UTF-8 text converts back to its bytes");
    DecodeSheetBytes(bytes);
}

CalcFormSettings SettingsFrom(const uint8_t *data, size_t size)
{
    CalcFormSettings settings = FormDefaults();
    if (size >= 8) {
        std::memcpy(&settings.iTop, data, sizeof settings.iTop);
        std::memcpy(&settings.iLeft, data + 4, sizeof settings.iLeft);
    }
    if (size >= 9) {
        settings.voice = data[8] & 1;
        settings.backcolor = data[8] & 2 ? std::nullopt : settings.backcolor;
        settings.fontsize = data[8];
    }
    return settings;
}

// The countdown's name from the input's last bytes, read as UTF-16: any text at all, including
// lone surrogates, private-use characters and line breaks.
QString NameFrom(const uint8_t *data, size_t size)
{
    const size_t units = size > 0 ? std::min<size_t>(data[0] % 8, size / 2) : 0;
    QString name;
    for (size_t i = 0; i < units; ++i) {
        const size_t at = size - 2 * (i + 1);
        name.prepend(QChar(static_cast<char16_t>(data[at] | (data[at + 1] << 8))));
    }
    return name;
}

void Write(SettingsFile &file, const CalcFormSettings &settings, const QString &name)
{
    WriteCalcForm(file, settings);
    file.SetText(Gaokao, Name, name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    CheckCodecs(input);

    SettingsFile file = SettingsFile::FromBytes(input);
    Require(file.ToBytes() == input, "a file read and written unchanged keeps its bytes");
    ReadCalcForm(file);

    const CalcFormSettings settings = SettingsFrom(data, size);
    const QString name = NameFrom(data, size);
    Write(file, settings, name);
    const QByteArray saved = file.ToBytes();
    Require(SameLines(LinesNotWritten(input), LinesNotWritten(saved)),
            "lines not written keep their bytes");

    SettingsFile reloaded = SettingsFile::FromBytes(saved);
    const CalcFormReading reading = ReadCalcForm(reloaded);
    Require(reading.apply && reading.settings.iTop == settings.iTop &&
                reading.settings.iLeft == settings.iLeft &&
                reading.settings.voice == settings.voice &&
                reading.settings.fontsize == settings.fontsize &&
                reading.settings.backcolor == settings.backcolor,
            "the window's keys read back as written");

    // What the file holds for the name: it is decoded and encoded, the rest is only compared.
    // A file whose character set was guessed from the bytes of the name's old line alone may be
    // guessed otherwise once that line is replaced; its name is not compared.
    QString written = name;
    written.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool sameCharset =
        IsAscii(written) || !LayoutOf(input).bom.isEmpty() || DecodeGb18030(input).has_value();
    if (!sameCharset)
        return 0;
    if (EncodeGb18030(written))
        Require(reloaded.Text(Gaokao, Name) == written.trimmed(), "the name reads back");
    else if (!EncodeUtf8(written))
        Require(
            reloaded.Text(Gaokao, Name) == SettingsFile::FromBytes(input).Text(Gaokao, Name),
            "a name that cannot be encoded leaves the old one");

    Write(reloaded, settings, name);
    Require(reloaded.ToBytes() == saved, "the same write again changes nothing");
    return 0;
}
