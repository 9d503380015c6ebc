// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace tallimo {

// ASCII reads the same in every character set here; most lines of a settings file are ASCII.
bool IsAscii(QByteArrayView bytes);
bool IsAscii(QStringView text);

// Settings files and sheet files of code page 936 (GBK) are read and written as GB18030, a
// superset that encodes every GBK character with the same bytes, so it reads and writes them.
// Nothing when the bytes are not valid GB18030, or when the text holds a character that the
// converter cannot encode (some private-use code points, a lone surrogate).
std::optional<QString> DecodeGb18030(const QByteArray &bytes);
std::optional<QByteArray> EncodeGb18030(const QString &text);

// Strict UTF-8: nothing for invalid bytes or a lone surrogate.
std::optional<QString> DecodeUtf8(const QByteArray &bytes);
std::optional<QByteArray> EncodeUtf8(const QString &text);

// UTF-8 when the bytes are valid UTF-8, GB18030 otherwise; a byte order mark that begins the
// text is dropped, unless the bytes continue a text (a later line of a sheet read line by line).
QString DecodeSheetBytes(const QByteArray &bytes, bool textStart = true);

}  // namespace tallimo
