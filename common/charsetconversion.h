// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

#include <optional>

namespace tallimo {

// Converts bytes from one character set to another, both named as iconv names them ("UTF-8",
// "GB18030"). Nothing when the bytes are not valid in the source set, end inside a character,
// or hold a character that the target set cannot express.
//
// The one platform-specific piece of the text codecs: charsetconversion_iconv.cpp serves glibc
// and MinGW-w64 (with its libiconv); CMake's find_package(Iconv) decides whether it can build.
std::optional<QByteArray> ConvertCharset(const QByteArray &bytes, const char *from, const char *to);

}  // namespace tallimo
