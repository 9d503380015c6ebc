// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Saving the sheet as a text file and importing one into it.

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTextCursor>
#include <QThread>

#include <memory>

#include "app/calcform.h"
#include "common/sheetfile.h"
#include "common/sheetlinebound.h"
#include "engine/calcerror.h"

namespace tallimo {

// The sheet goes to the chosen name with ".txt" added.
void TCalcForm::SpeedButton6Click()
{
    const QString sheet = Memo1->toPlainText();
    if (IsBlankSheet(sheet))
        return;
    const QString path = ChooseFileToWrite(SheetFileFilter, QStringLiteral(".txt"));
    if (path.isEmpty())
        return;
    try {
        WriteSheetFile(path, sheet);
    } catch (const CalcError &error) {
        seams_.showMessage(QString::fromStdString(error.what()));
    }
}

// The save dialog, and the name it returns with the suffix added; an existing file is asked about
// under the name that is written, and only "是" replaces it. Empty when the user cancels or keeps
// the file.
QString TCalcForm::ChooseFileToWrite(const QString &filter, const QString &suffix)
{
    const QString chosen = seams_.chooseSaveFile(filter);
    if (chosen.isEmpty())
        return QString();
    const QString path = WithSuffix(chosen, suffix);
    const QFileInfo target(path);
    // A folder of that name is not replaced: the write fails with the system's reason.
    if (target.exists() && !target.isDir() &&
        !seams_.askYesNo(QStringLiteral("%1 已存在。\n要替换它吗？").arg(target.fileName())))
        return QString();
    return path;
}

void TCalcForm::SpeedButton47Click()
{
    const QString chosen = seams_.chooseOpenFile(SheetFileFilter);
    if (chosen.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    const ImportRead read = ReadForImport(chosen);
    if (exited_)
        return;
    if (read.failure) {
        seams_.showMessage(*read.failure);
        return;
    }
    if (!ReplaceSheetInSteps(read.text))
        return;
    Memo1->moveCursor(QTextCursor::Start);
    LocateCaret();
}

// A file of 64 MB takes seconds to read and decode: that happens on a thread of its own while
// the window paints and answers everything but the user's keys and clicks, which wait for the
// import.
TCalcForm::ImportRead TCalcForm::ReadForImport(const QString &path)
{
    ImportRead read;
    const std::unique_ptr<QThread> reader(QThread::create([&read, path] {
        try {
            read.text = ReadSheetFile(path);
            read.failure = SheetBoundBreach(read.text);
        } catch (const CalcError &error) {
            read.failure = QString::fromStdString(error.what());
        }
    }));
    QEventLoop waiting;
    connect(reader.get(), &QThread::finished, &waiting, &QEventLoop::quit);
    reader->start();
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
    if (read.failure)
        read.text.clear();
    return read;
}

namespace {

// The lines an import puts in at a time, and the characters at most: a step takes a small part
// of a second, after which the window paints and answers.
constexpr qsizetype ImportStepLines = 10000;
constexpr qsizetype ImportStepCharacters = 1 << 20;

// Where the step from `from` ends: after its last line's line feed, or at the end of the text.
qsizetype EndOfStep(const QString &text, qsizetype from)
{
    qsizetype at = from;
    for (qsizetype lines = 0; lines < ImportStepLines; ++lines) {
        const qsizetype lineFeed = text.indexOf(QLatin1Char('\n'), at);
        if (lineFeed < 0)
            return text.size();
        at = lineFeed + 1;
        if (at - from >= ImportStepCharacters)
            break;
    }
    return at;
}

}  // namespace

// The window paints and answers between the steps; what the user types or clicks waits until
// the sheet is complete, so the steps make one undo step that brings the old sheet back. An
// exit on the way (a signal, the close box) ends the import: false then.
bool TCalcForm::ReplaceSheetInSteps(const QString &text)
{
    QTextCursor sheet(Memo1->document());
    sheet.beginEditBlock();
    sheet.select(QTextCursor::Document);
    for (qsizetype from = 0;;) {
        const qsizetype to = EndOfStep(text, from);
        sheet.insertText(text.mid(from, to - from));
        sheet.endEditBlock();
        if (to >= text.size())
            return true;
        from = to;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (exited_)
            return false;
        sheet.joinPreviousEditBlock();
    }
}

}  // namespace tallimo
