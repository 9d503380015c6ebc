// Feeds arbitrary bytes to the settings file and the text codecs. The bytes are read as
// setinfo.ini, the window's section and the countdown's name are written, and the result is read
// again. Faults (abort): any line the program does not own that does not come back byte for byte,
// a key that does not read back as written, a second identical write that changes the bytes,
// text that does not convert back to its bytes, and any crash or sanitizer report.

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

const QString kCalcForm = QStringLiteral("calcform");
const QString kGaokao = QStringLiteral("gaokao");
const QString kName = QStringLiteral("name");
const QByteArray kBom = QByteArrayLiteral("\xEF\xBB\xBF");

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
    for (const QByteArray &line : file.toBytes().split('\n')) {
        if (line.contains('='))
            names << line.left(line.indexOf('=')).toLower();
    }
    return names << kName.toLatin1();
}

// A line the writer may have replaced, added or left: one of its own keys (in whatever section),
// a header of its sections, or a blank line. Every other line must come back unchanged.
bool MayBeWritten(const QByteArray &line)
{
    static const QList<QByteArray> keys = KeyNames();
    const QByteArray text = line.trimmed();
    if (text.isEmpty())
        return true;
    const QByteArray lower = text.toLower();
    if (lower == "[calcform]" || lower == "[gaokao]")
        return true;
    const qsizetype equals = text.indexOf('=');
    return equals > 0 && keys.contains(text.left(equals).trimmed().toLower());
}

// The lines the writer must not touch, each with its line break.
QList<QByteArray> LinesNotWritten(QByteArray bytes)
{
    // A byte order mark stays in front of the first line, whatever that line becomes.
    QList<QByteArray> lines{bytes.startsWith(kBom) ? kBom : QByteArray()};
    bytes.remove(0, lines.first().size());
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        QByteArray line = bytes.mid(start, next - start);
        if (!MayBeWritten(line))
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
        const bool gainsBreak = i == before.size() - 1 && !line.endsWith('\n');
        if (after[i] != line &&
            !(gainsBreak && (after[i] == line + "\n" || after[i] == line + "\r\n")))
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
    file.setValue(kGaokao, kName, name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    CheckCodecs(input);

    SettingsFile file = SettingsFile::FromBytes(input);
    Require(file.toBytes() == input, "a file read and written unchanged keeps its bytes");
    ReadCalcForm(file);

    const CalcFormSettings settings = SettingsFrom(data, size);
    const QString name = NameFrom(data, size);
    Write(file, settings, name);
    const QByteArray saved = file.toBytes();
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
        IsAscii(written) || input.startsWith(kBom) || DecodeGb18030(input).has_value();
    if (!sameCharset)
        return 0;
    if (EncodeGb18030(written))
        Require(reloaded.value(kGaokao, kName) == written.trimmed(), "the name reads back");
    else if (!EncodeUtf8(written))
        Require(
            reloaded.value(kGaokao, kName) == SettingsFile::FromBytes(input).value(kGaokao, kName),
            "a name that cannot be encoded leaves the old one");

    Write(reloaded, settings, name);
    Require(reloaded.toBytes() == saved, "the same write again changes nothing");
    return 0;
}
