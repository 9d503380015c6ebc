// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/sheetfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/filereplace.h"
#include "common/textcodec.h"
#include "engine/calcerror.h"
#include "engine/texthelpers.h"

namespace tallimo {

namespace {

const QString FileLineEnd = QStringLiteral("\r\n");

[[noreturn]] void ThrowFileError(const QString &message)
{
    throw CalcError(CalcError::Kind::FileAccess, message.toStdString());
}

}  // namespace

bool IsBlankSheet(const QString &sheetText) { return TrimBlanks(sheetText).isEmpty(); }

QString WithSuffix(const QString &chosenPath, const QString &suffix)
{
    return chosenPath.endsWith(suffix, Qt::CaseInsensitive) ? chosenPath : chosenPath + suffix;
}

void WriteWholeFile(const QString &path, const QByteArray &bytes, const FileWrites &writes)
{
    if (const std::optional<QString> failure = ReplaceFile(path, bytes, writes))
        ThrowFileError(QStringLiteral("Unable to write to %1: %2")
                           .arg(QDir::toNativeSeparators(path), *failure));
}

void WriteSheetFile(const QString &path, const QString &sheetText, const FileWrites &writes)
{
    // Every line ends with CR LF, the last one too; reading drops that last end again, so a
    // sheet comes back exactly as it was saved.
    // Built in one pass: replacing a million line ends one by one takes seconds.
    QString fileText;
    fileText.reserve(sheetText.size() + sheetText.count(QLatin1Char('\n')) + FileLineEnd.size());
    for (const QChar c : sheetText) {
        if (c == QLatin1Char('\n'))
            fileText += FileLineEnd;
        else
            fileText += c;
    }
    fileText += FileLineEnd;
    const std::optional<QByteArray> bytes = EncodeGb18030(fileText);
    if (!bytes)
        ThrowFileError(QStringLiteral("Unable to write to %1: 算式中有中文代码页容纳不了的字符")
                           .arg(QDir::toNativeSeparators(path)));
    WriteWholeFile(path, *bytes, writes);
}

QByteArray ReadSheetFileBytes(const QString &path, const FileReads &reads)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    const QString notRegular = QStringLiteral("无法打开文件“%1”：它不是普通文件。").arg(shownPath);
    // Checked before opening: opening a pipe without a writer waits for one.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        ThrowFileError(notRegular);
    QFile file;
    if (const std::optional<QString> failure = OpenToRead(file, path, reads))
        ThrowFileError(QStringLiteral("无法打开文件“%1”：%2").arg(shownPath, *failure));
    if (file.isSequential())
        ThrowFileError(notRegular);
    const QString tooLarge =
        QStringLiteral("无法打开文件“%1”：它大于 %2 MB，超出算式表能容纳的大小。")
            .arg(shownPath)
            .arg(MaxSheetFileBytes / (1024 * 1024));
    if (file.size() > MaxSheetFileBytes)
        ThrowFileError(tooLarge);
    // One byte beyond the limit tells a file that grows while it is read.
    const QByteArray bytes = file.read(MaxSheetFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        ThrowFileError(QStringLiteral("无法读取文件“%1”：%2").arg(shownPath, file.errorString()));
    if (bytes.size() > MaxSheetFileBytes)
        ThrowFileError(tooLarge);
    return bytes;
}

QString ReadSheetFile(const QString &path) { return SheetTextOf(ReadSheetFileBytes(path)); }

QString SheetTextOf(const QByteArray &bytes)
{
    QString text = DecodeSheetBytes(bytes);
    // Most files end their lines with LF alone and need no pass. The others take one pass in
    // place: replacing millions of line ends one by one takes minutes.
    if (text.contains(QLatin1Char('\r'))) {
        QChar *out = text.data();
        const QChar *end = text.cend();
        for (const QChar *in = text.cbegin(); in != end; ++in) {
            if (*in != QLatin1Char('\r')) {
                *out++ = *in;
                continue;
            }
            *out++ = QLatin1Char('\n');
            if (in + 1 != end && in[1] == QLatin1Char('\n'))
                ++in;
        }
        text.truncate(out - text.constData());
    }
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

}  // namespace tallimo
