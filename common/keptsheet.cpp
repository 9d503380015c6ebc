// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/keptsheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "common/filereplace.h"
#include "common/sheetfile.h"
#include "engine/calcerror.h"

namespace tallimo {

namespace {

const QString Section = QStringLiteral("keptsheet");
const QString Key = QStringLiteral("keep");

[[noreturn]] void ThrowFileError(const QString &message)
{
    throw CalcError(CalcError::Kind::FileAccess, message.toStdString());
}

QString Native(const QString &path) { return QDir::toNativeSeparators(path); }

}  // namespace

bool ReadKeepSheet(const SettingsFile &file)
{
    return file.Boolean(Section, Key).value_or(false);
}

bool LoadKeepSheet(const SettingsFolders &folders)
{
    return ReadKeepSheet(SettingsFile::Load(SettingsReadPath(folders)));
}

SettingsFile::SaveResult SaveKeepSheet(const SettingsFolders &folders, bool on)
{
    SettingsFile file = SettingsFile::Load(SettingsReadPath(folders));
    file.SetBoolean(Section, Key, on);
    return file.Save(SettingsWritePath(folders));
}

QString ReadKeptSheet(const QString &path, const FileReads &reads)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return QString();
    QByteArray bytes;
    try {
        bytes = ReadSheetFileBytes(path, reads);
    } catch (const CalcError &error) {
        ThrowFileError(
            QStringLiteral("保留的算式无法读取：%1").arg(QString::fromStdString(error.what())));
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        ThrowFileError(QStringLiteral("保留的算式“%1”不是 UTF-8 文本").arg(Native(path)));
    return text;
}

void WriteKeptSheet(const QString &path, const QString &text, const FileWrites &writes)
{
    if (const std::optional<QString> failure = ReplaceFile(path, text.toUtf8(), writes))
        ThrowFileError(QStringLiteral("Unable to write to %1: %2").arg(Native(path), *failure));
}

KeptSheetWriter::KeptSheetWriter() { thread_.setMaxThreadCount(1); }

KeptSheetWriter::~KeptSheetWriter() { thread_.waitForDone(); }

void KeptSheetWriter::SaveLater(const QString &path, const QString &text)
{
    thread_.start([path, text] {
        try {
            WriteKeptSheet(path, text);
        } catch (const CalcError &error) {
            qWarning("%s", error.what());
        }
    });
}

void KeptSheetWriter::SaveNow(const QString &path, const QString &text)
{
    Wait();
    WriteKeptSheet(path, text);
}

void KeptSheetWriter::Remove(const QString &path)
{
    Wait();
    QFile file(path);
    if (file.exists() && !file.remove())
        ThrowFileError(
            QStringLiteral("Unable to delete %1: %2").arg(Native(path), file.errorString()));
}

void KeptSheetWriter::Wait() { thread_.waitForDone(); }

}  // namespace tallimo
