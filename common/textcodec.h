#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tallimo {

// Texts written by the program's Windows ancestors are in the Chinese code page 936. GB18030 is
// a superset that encodes every GBK character with the same bytes, so it reads and writes them.
std::optional<QString> DecodeGb18030(const QByteArray &bytes);
QByteArray EncodeGb18030(const QString &text);

// UTF-8 when the bytes are valid UTF-8, GB18030 otherwise; a byte order mark is dropped.
QString DecodeSheetBytes(const QByteArray &bytes);

}  // namespace tallimo
