// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What a write of the window's keys and the countdown's name may do to a settings file of any
// bytes, checked for the fuzzer and for the settings tests alike. The bytes are read as
// setinfo.ini, the window's section and the countdown's name (both drawn from the bytes) are
// written, and the result is read again; the file may be in the code page, UTF-8 or UTF-16 of
// either byte order, its lines ended by CR LF, LF or CR. Faults: any line the program does not
// own that does not come back byte for byte, a key that does not read back as written, a second
// identical write that changes the bytes, and text that does not convert back to its bytes.

#include <QByteArray>
#include <QList>
#include <QString>

#include <algorithm>
#include <cstring>

#include "common/calcformsettings.h"
#include "common/settingsfile.h"
#include "common/textcodec.h"

namespace tallimo::settingswrites {

inline const QString Gaokao = QStringLiteral("gaokao");
inline const QString Name = QStringLiteral("name");

// Every line break a line may gain: in the 8-bit character sets, UTF-16 LE and UTF-16 BE.
inline const QList<QByteArray> LineBreaks{
    QByteArray("\n"),      QByteArray("\r\n"),        QByteArray("\r"),
    QByteArray("\n\0", 2), QByteArray("\r\0\n\0", 4), QByteArray("\r\0", 2),
    QByteArray("\0\n", 2), QByteArray("\0\r\0\n", 4), QByteArray("\0\r", 2)};

inline QList<QByteArray> KeyNames()
{
    QList<QByteArray> names;
    SettingsFile file;
    WriteCalcForm(file, FirstStartSettings());
    for (const QByteArray &line : file.ToBytes().split('\n')) {
        if (line.contains('='))
            names << line.left(line.indexOf('=')).toLower();
    }
    return names << Name.toLatin1();
}

// A line the writer may have replaced, added or left: one of its own keys (in whatever section),
// a header of its sections, or a blank line. Every other line must come back unchanged.
inline bool MayBeWritten(const QString &line)
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

inline Layout LayoutOf(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return {QByteArrayLiteral("\xFF\xFE"), 2, true};
    if (bytes.startsWith("\xFE\xFF"))
        return {QByteArrayLiteral("\xFE\xFF"), 2, false};
    const QByteArray utf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");
    return {bytes.startsWith(utf8Bom) ? utf8Bom : QByteArray(), 1, true};
}

// The unit at the byte offset; half a unit at the end of a UTF-16 file is 0xFFFF.
inline char16_t UnitAt(const QByteArray &bytes, qsizetype at, const Layout &layout)
{
    if (layout.unit == 1)
        return static_cast<uchar>(bytes[at]);
    if (at + 1 >= bytes.size())
        return 0xFFFF;
    const auto first = static_cast<uchar>(bytes[at]), second = static_cast<uchar>(bytes[at + 1]);
    return layout.littleEndian ? char16_t(first | second << 8) : char16_t(first << 8 | second);
}

// A line's text as far as its ASCII goes: its units below 0x80, the rest as a stand-in.
inline QString AsciiOf(const QByteArray &bytes, const Layout &layout)
{
    QString text;
    for (qsizetype at = 0; at < bytes.size(); at += layout.unit) {
        const char16_t unit = UnitAt(bytes, at, layout);
        text += unit < 0x80 ? QChar(unit) : QChar(u'\uFFFD');
    }
    return text;
}

// The lines the writer must not touch, each with its line break (CR LF, LF or CR). Half a unit
// at the end of a UTF-16 file is a line of its own.
inline QList<QByteArray> LinesNotWritten(QByteArray bytes)
{
    const Layout layout = LayoutOf(bytes);
    // A byte order mark stays in front of the first line, whatever that line becomes.
    QList<QByteArray> lines{layout.bom};
    bytes.remove(0, layout.bom.size());
    const qsizetype whole = bytes.size() - bytes.size() % layout.unit;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype next = start;
        while (next < whole) {
            const char16_t unit = UnitAt(bytes, next, layout);
            next += layout.unit;
            if (unit == u'\r' && next < whole && UnitAt(bytes, next, layout) == u'\n') {
                next += layout.unit;
                break;
            }
            if (unit == u'\n' || unit == u'\r')
                break;
        }
        if (next == start)
            next = bytes.size();
        const QByteArray line = bytes.mid(start, next - start);
        if (!MayBeWritten(AsciiOf(line, layout)))
            lines << line;
        start = next;
    }
    return lines;
}

// A line of whole units whose last unit is no line break: the last line, or the one before half
// a unit.
inline bool LacksLineBreak(const QByteArray &line, const Layout &layout)
{
    if (line.isEmpty() || line.size() % layout.unit != 0)
        return false;
    const char16_t last = UnitAt(line, line.size() - layout.unit, layout);
    return last != u'\n' && last != u'\r';
}

// The same lines, but for a line without a line break, which gains one when something is
// written after it.
inline bool SameLines(const QList<QByteArray> &before, const QList<QByteArray> &after,
                      const Layout &layout)
{
    if (before.size() != after.size())
        return false;
    for (qsizetype i = 0; i < before.size(); ++i) {
        const QByteArray &line = before[i];
        if (after[i] == line)
            continue;
        if (i == 0 || !LacksLineBreak(line, layout))
            return false;
        const bool gainsBreak =
            std::any_of(LineBreaks.begin(), LineBreaks.end(),
                        [&](const QByteArray &lineBreak) { return after[i] == line + lineBreak; });
        if (!gainsBreak)
            return false;
    }
    return true;
}

inline bool IsAscii(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

inline const char *CodecFault(const QByteArray &bytes)
{
    if (const auto text = DecodeGb18030(bytes); text && EncodeGb18030(*text) != bytes)
        return "GB18030 text converts back to its bytes";
    if (const auto text = DecodeUtf8(bytes); text && EncodeUtf8(*text) != bytes)
        return "UTF-8 text converts back to its bytes";
    DecodeSheetBytes(bytes);
    return nullptr;
}

inline CalcFormSettings SettingsFrom(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    CalcFormSettings settings = FirstStartSettings();
    if (bytes.size() >= 8) {
        std::memcpy(&settings.top, data, sizeof settings.top);
        std::memcpy(&settings.left, data + 4, sizeof settings.left);
    }
    if (bytes.size() >= 9) {
        settings.voice = data[8] & 1;
        settings.backColour = data[8] & 2 ? std::nullopt : settings.backColour;
        settings.fontSize = data[8];
    }
    return settings;
}

// The countdown's name from the input's last bytes, read as UTF-16: any text at all, including
// lone surrogates, private-use characters and line breaks.
inline QString NameFrom(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype size = bytes.size();
    const qsizetype units = size > 0 ? std::min<qsizetype>(data[0] % 8, size / 2) : 0;
    QString name;
    for (qsizetype i = 0; i < units; ++i) {
        const qsizetype at = size - 2 * (i + 1);
        name.prepend(QChar(static_cast<char16_t>(data[at] | (data[at + 1] << 8))));
    }
    return name;
}

inline void Write(SettingsFile &file, const CalcFormSettings &settings, const QString &name)
{
    WriteCalcForm(file, settings);
    file.SetText(Gaokao, Name, name);
}

// What is wrong with writing into a file of these bytes, or nothing.
inline const char *WriteFault(const QByteArray &input)
{
    if (const char *fault = CodecFault(input))
        return fault;

    SettingsFile file = SettingsFile::FromBytes(input);
    if (file.ToBytes() != input)
        return "a file read and written unchanged keeps its bytes";
    ReadCalcForm(file);

    const CalcFormSettings settings = SettingsFrom(input);
    const QString name = NameFrom(input);
    Write(file, settings, name);
    const QByteArray saved = file.ToBytes();
    if (!SameLines(LinesNotWritten(input), LinesNotWritten(saved), LayoutOf(input)))
        return "lines not written keep their bytes";

    SettingsFile reloaded = SettingsFile::FromBytes(saved);
    const CalcFormReading reading = ReadCalcForm(reloaded);
    if (!reading.apply || reading.settings.top != settings.top ||
        reading.settings.left != settings.left || reading.settings.voice != settings.voice ||
        reading.settings.fontSize != settings.fontSize ||
        reading.settings.backColour != settings.backColour)
        return "the window's keys read back as written";

    // What the file holds for the name: it is decoded and encoded, the rest is only compared.
    // A file whose character set was guessed from the bytes of the name's old line alone may be
    // guessed otherwise once that line is replaced; its name is not compared.
    QString written = name;
    written.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool sameCharset =
        IsAscii(written) || !LayoutOf(input).bom.isEmpty() || DecodeGb18030(input).has_value();
    if (!sameCharset)
        return nullptr;
    if (EncodeGb18030(written)) {
        if (reloaded.Text(Gaokao, Name) != written.trimmed())
            return "the name reads back";
    } else if (!EncodeUtf8(written)) {
        if (reloaded.Text(Gaokao, Name) != SettingsFile::FromBytes(input).Text(Gaokao, Name))
            return "a name that cannot be encoded leaves the old one";
    }

    Write(reloaded, settings, name);
    if (reloaded.ToBytes() != saved)
        return "the same write again changes nothing";
    return nullptr;
}

}  // namespace tallimo::settingswrites
