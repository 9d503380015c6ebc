// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/textcodec.h"

#include "common/charsetconversion.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace tallimo {

bool IsAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
}

bool IsAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

std::optional<QString> DecodeGb18030(const QByteArray &bytes)
{
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes);
    const auto utf8 = ConvertCharset(bytes, "GB18030", "UTF-8");
    return utf8 ? DecodeUtf8(*utf8) : std::nullopt;
}

std::optional<QByteArray> EncodeGb18030(const QString &text)
{
    if (IsAscii(text))
        return text.toLatin1();
    const auto utf8 = EncodeUtf8(text);
    return utf8 ? ConvertCharset(*utf8, "UTF-8", "GB18030") : std::nullopt;
}

std::optional<QString> DecodeUtf8(const QByteArray &bytes)
{
    // A byte order mark is a character like any other here; callers decide what it means.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<QByteArray> EncodeUtf8(const QString &text)
{
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

QString DecodeSheetBytes(const QByteArray &bytes, bool textStart)
{
    QString text;
    if (const auto utf8 = DecodeUtf8(bytes))
        text = *utf8;
    else if (const auto gb = DecodeGb18030(bytes))
        text = *gb;
    else
        text = QString::fromUtf8(bytes);
    if (textStart && text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

}  // namespace tallimo
