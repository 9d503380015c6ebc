// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/keptsheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "common/filereplace.h"
#include "common/sheetfile.h"
#include "common/sheetlinebound.h"
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
    const QString unreadable = QStringLiteral("保留的算式无法读取：%1");
    if (info.isSymLink())
        ThrowFileError(unreadable.arg(
            QStringLiteral("无法打开文件“%1”：%2").arg(Native(path), SymbolicLinkReason())));
    QByteArray bytes;
    try {
        bytes = ReadSheetFileBytes(path, reads);
    } catch (const CalcError &error) {
        ThrowFileError(unreadable.arg(QString::fromStdString(error.what())));
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        ThrowFileError(QStringLiteral("保留的算式“%1”不是 UTF-8 文本").arg(Native(path)));
    if (const std::optional<QString> breach = SheetBoundBreach(text))
        ThrowFileError(QStringLiteral("保留的算式“%1”过大：%2").arg(Native(path), *breach));
    return text;
}

void WriteKeptSheet(const QString &path, const QString &text, const FileWrites &writes)
{
    if (const std::optional<QString> failure = ReplaceOwnFile(path, text.toUtf8(), writes))
        ThrowFileError(QStringLiteral("Unable to write to %1: %2").arg(Native(path), *failure));
}

KeptSheetWriter::KeptSheetWriter(const FileWrites &writes) : writes_(writes)
{
    thread_.setMaxThreadCount(1);
}

KeptSheetWriter::~KeptSheetWriter() { thread_.waitForDone(); }

void KeptSheetWriter::Write(const QString &path, const QString &text)
{
    try {
        WriteKeptSheet(path, text, writes_);
    } catch (const CalcError &) {
        const QMutexLocker locked(&failedLock_);
        lastSaveFailed_ = true;
        throw;
    }
    const QMutexLocker locked(&failedLock_);
    lastSaveFailed_ = false;
}

void KeptSheetWriter::SaveLater(const QString &path, const QString &text, Outcome outcome)
{
    thread_.start([this, path, text, outcome = std::move(outcome)] {
        std::optional<QString> failure;
        try {
            Write(path, text);
        } catch (const CalcError &error) {
            failure = QString::fromStdString(error.what());
        }
        if (outcome)
            outcome(failure);
    });
}

void KeptSheetWriter::SaveNow(const QString &path, const QString &text)
{
    Wait();
    Write(path, text);
}

void KeptSheetWriter::Remove(const QString &path)
{
    Wait();
    QFile file(path);
    if ((file.exists() || QFileInfo(path).isSymLink()) && !file.remove())
        ThrowFileError(QStringLiteral("无法删除 %1：%2").arg(Native(path), file.errorString()));
    const QMutexLocker locked(&failedLock_);
    lastSaveFailed_ = false;
}

void KeptSheetWriter::Wait() { thread_.waitForDone(); }

bool KeptSheetWriter::LastSaveFailed()
{
    const QMutexLocker locked(&failedLock_);
    return lastSaveFailed_;
}

}  // namespace tallimo
