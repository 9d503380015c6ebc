// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The sheet as a text file: saved in the Chinese code page (GB18030, a superset of GBK) with one
// sheet line per file line, each ended by CR LF, so the files open in the editors the program's
// users already have; read back as UTF-8 when the bytes are valid UTF-8, else as GB18030.

#include <QByteArray>
#include <QString>

#include "common/filereads.h"
#include "common/filereplace.h"

namespace tallimo {

// The filter of the save and open dialogs, in Qt's form.
inline const QString SheetFileFilter = QStringLiteral("文本文件(*.txt)");

// A sheet with nothing but blanks and line breaks is not worth a file.
bool IsBlankSheet(const QString &sheetText);

// The chosen name with the suffix (".pdf") appended, unless it already ends in it (in any case
// of letters).
QString WithSuffix(const QString &chosenPath, const QString &suffix);

// Replaces the file with these bytes, whole or not at all (ReplaceFile). Throws CalcError with
// the system's reason.
void WriteWholeFile(const QString &path, const QByteArray &bytes,
                    const FileWrites &writes = SystemFileWrites());

// Writes the sheet through a temporary file that replaces the old one only when it is complete,
// so a failed save leaves an earlier file whole; the new file keeps the old one's owner and
// mode. Throws CalcError with the system's reason.
void WriteSheetFile(const QString &path, const QString &sheetText,
                    const FileWrites &writes = SystemFileWrites());

// The most bytes a sheet file may hold; larger files are refused, not read.
constexpr qint64 MaxSheetFileBytes = 64 * 1024 * 1024;

// The bytes of a sheet file: a regular file of at most MaxSheetFileBytes, read as a whole.
// Throws CalcError with the reason otherwise, or with the system's reason.
QByteArray ReadSheetFileBytes(const QString &path, const FileReads &reads = SystemFileReads());

// The sheet text of a file, lines separated by "\n". Throws CalcError with the system's reason.
QString ReadSheetFile(const QString &path);

// The sheet text of a file's bytes, decoded as above, lines separated by "\n": a line ends with
// CR LF, LF or a lone CR, and an end after the last line adds no empty line.
QString SheetTextOf(const QByteArray &bytes);

}  // namespace tallimo
