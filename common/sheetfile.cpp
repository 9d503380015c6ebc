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

const QString TxtSuffix = QStringLiteral(".txt");
const QString FileLineEnd = QStringLiteral("\r\n");

[[noreturn]] void ThrowFileError(const QString &message)
{
    throw CalcError(CalcError::Kind::FileAccess, message.toStdString());
}

}  // namespace

bool IsBlankSheet(const QString &sheetText) { return TrimBlanks(sheetText).isEmpty(); }

QString WithTxtSuffix(const QString &chosenPath)
{
    return chosenPath.endsWith(TxtSuffix, Qt::CaseInsensitive) ? chosenPath
                                                               : chosenPath + TxtSuffix;
}

void WriteSheetFile(const QString &path, const QString &sheetText, const FileWrites &writes)
{
    // Every line ends with CR LF, the last one too; reading drops that last end again, so a
    // sheet comes back exactly as it was saved.
    QString fileText = sheetText;
    fileText.replace(QLatin1Char('\n'), FileLineEnd);
    fileText += FileLineEnd;
    const std::optional<QByteArray> bytes = EncodeGb18030(fileText);
    if (!bytes)
        ThrowFileError(QStringLiteral("Unable to write to %1: the sheet holds a character that "
                                      "the Chinese code page cannot hold")
                           .arg(QDir::toNativeSeparators(path)));

    if (const std::optional<QString> failure = ReplaceFile(path, *bytes, writes))
        ThrowFileError(QStringLiteral("Unable to write to %1: %2")
                           .arg(QDir::toNativeSeparators(path), *failure));
}

QByteArray ReadSheetFileBytes(const QString &path, const FileReads &reads)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    // Checked before opening: opening a pipe without a writer waits for one.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        ThrowFileError(
            QStringLiteral("Cannot open file \"%1\". It is not a regular file.").arg(shownPath));
    QFile file;
    if (const std::optional<QString> failure = OpenToRead(file, path, reads))
        ThrowFileError(QStringLiteral("Cannot open file \"%1\". %2").arg(shownPath, *failure));
    if (file.isSequential())
        ThrowFileError(
            QStringLiteral("Cannot open file \"%1\". It is not a regular file.").arg(shownPath));
    const QString tooLarge =
        QStringLiteral("Cannot open file \"%1\". It is larger than %2 MB, more than a sheet holds.")
            .arg(shownPath)
            .arg(MaxSheetFileBytes / (1024 * 1024));
    if (file.size() > MaxSheetFileBytes)
        ThrowFileError(tooLarge);
    // One byte beyond the limit tells a file that grows while it is read.
    const QByteArray bytes = file.read(MaxSheetFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        ThrowFileError(
            QStringLiteral("Cannot read file \"%1\". %2").arg(shownPath, file.errorString()));
    if (bytes.size() > MaxSheetFileBytes)
        ThrowFileError(tooLarge);
    return bytes;
}

QString ReadSheetFile(const QString &path) { return SheetTextOf(ReadSheetFileBytes(path)); }

QString SheetTextOf(const QByteArray &bytes)
{
    QString text = DecodeSheetBytes(bytes);
    // Most files end their lines with LF alone; they need no search for CR LF.
    if (text.contains(QLatin1Char('\r'))) {
        text.replace(FileLineEnd, QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

}  // namespace tallimo
