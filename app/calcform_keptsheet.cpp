// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The sheet kept across runs. The option has a section of its own in the settings file, written
// when the option changes, so that it holds even if the program never reaches its exit. The
// sheet is copied on the window's thread and written on the writer's; only the exit procedure
// and the option's own changes wait for the disk. A save that fails leaves the sheet unsaved:
// the next save and the exit try again.

#include <QDir>
#include <QEvent>
#include <QTextDocument>
#include <QTimer>
#include <cstdio>

#include "app/calcform.h"
#include "common/programinfo.h"
#include "common/windowsdirectory.h"
#include "engine/calcerror.h"

namespace tallimo {

namespace {

// The longest a change waits to be saved, however often further changes follow it.
constexpr int SaveDelayMilliseconds = 2000;

}  // namespace

void TCalcForm::SetUpKeptSheet()
{
    // What a save cut short by the end of an earlier run left beside the kept sheet goes.
    if (const QString path = KeptSheetPath(); !path.isEmpty())
        RemoveStaleTemporaries(path);
    keptSheetDue_ = new QTimer(this);
    keptSheetDue_->setSingleShot(true);
    keptSheetDue_->setInterval(SaveDelayMilliseconds);
    connect(keptSheetDue_, &QTimer::timeout, this, &TCalcForm::SaveKeptSheetLater);
    connect(Memo1->document(), &QTextDocument::contentsChanged, this, &TCalcForm::SheetChanged);
    // The sheet is restored after its first paint, so the window shows as fast with a kept sheet
    // as without one.
    restorePending_ = settingsPage_.Values().keepSheet;
}

// Empty where the system names no data folder: then there is nothing to read, and a save
// fails with a message.
QString TCalcForm::KeptSheetPath() const
{
    const QString folder = WindowsDirectory();
    return folder.isEmpty() ? folder : folder + QLatin1String(KeptSheetFileName);
}

bool TCalcForm::KeepingSheet() const
{
    return settingsPage_.Values().keepSheet && !keptFileLeftAlone_;
}

// A kept file that cannot be read stays as it is, and the window says so in its title: a box
// at start-up would stand between the user and the sheet.
void TCalcForm::RestoreKeptSheet()
{
    if (exited_ || !settingsPage_.Values().keepSheet)
        return;
    QString text;
    try {
        text = ReadKeptSheet(KeptSheetPath());
    } catch (const CalcError &error) {
        keptFileLeftAlone_ = true;
        QString reason = QString::fromStdString(error.what());
        if (reason.endsWith(QStringLiteral("。")))
            reason.chop(1);
        setWindowTitle(QStringLiteral("%1 - %2，文件未改动，本次不保留算式")
                           .arg(QLatin1String(ProgramName), reason));
        return;
    }
    const QString typed = Memo1->toPlainText();
    // With nothing kept, the sheet, its caret and the caret label's first caption stay as they
    // are.
    if (!text.isEmpty()) {
        // Whatever was typed before the sheet came back stays after it.
        if (!typed.isEmpty())
            text += QLatin1Char('\n') + typed;
        // A new text, not an edit: undo cannot take it away. The total is taken from the text by
        // the next Enter, as it is for any sheet whose lines were not evaluated.
        Memo1->setPlainText(text);
        Memo1->moveCursor(QTextCursor::End);
        Memo1->ensureCursorVisible();
        LocateCaret();
    }
    sheetChanged_ = !typed.isEmpty();
    if (sheetChanged_)
        keptSheetDue_->start();
    else
        keptSheetDue_->stop();
}

// The save comes at most SaveDelayMilliseconds after the first unsaved change: continuous typing
// does not put it off.
void TCalcForm::SheetChanged()
{
    sheetChanged_ = true;
    if (KeepingSheet() && !restorePending_ && !keptSheetDue_->isActive())
        keptSheetDue_->start();
}

void TCalcForm::SaveKeptSheetLater()
{
    if (!KeepingSheet() || !sheetChanged_ || restorePending_)
        return;
    sheetChanged_ = false;
    keptSheetWriter_.SaveLater(
        KeptSheetPath(), Memo1->toPlainText(), [this](const std::optional<QString> &failure) {
            QMetaObject::invokeMethod(
                this, [this, failure] { KeptSheetSaved(failure); }, Qt::QueuedConnection);
        });
}

// A failed save is told once, in the title as the kept sheet's other messages, until a save
// lands again.
void TCalcForm::KeptSheetSaved(const std::optional<QString> &failure)
{
    if (exited_)
        return;
    if (!failure) {
        if (std::exchange(keptSheetSaveFailed_, false))
            setWindowTitle(QLatin1String(ProgramName));
        return;
    }
    sheetChanged_ = true;
    if (std::exchange(keptSheetSaveFailed_, true))
        return;
    setWindowTitle(QStringLiteral("%1 - 保留的算式未能保存：%2，稍后再试")
                       .arg(QLatin1String(ProgramName), *failure));
}

bool TCalcForm::SaveKeptSheetNow(bool mayShowFailure)
{
    keptSheetDue_->stop();
    // A save still on its way lands before the program goes; one that failed is made again.
    keptSheetWriter_.Wait();
    if (!KeepingSheet() || restorePending_ ||
        (!sheetChanged_ && !keptSheetWriter_.LastSaveFailed()))
        return true;
    sheetChanged_ = false;
    try {
        keptSheetWriter_.SaveNow(KeptSheetPath(), Memo1->toPlainText());
    } catch (const CalcError &error) {
        sheetChanged_ = true;
        if (mayShowFailure)
            seams_.showMessage(QString::fromStdString(error.what()));
        else
            std::fprintf(stderr, "tallimo: %s\n", error.what());
        return false;
    }
    KeptSheetSaved(std::nullopt);
    return true;
}

// Off removes the kept sheet, as the user asked for; on keeps the sheet as it stands at once.
void TCalcForm::KeepSheetChanged(bool on)
{
    const SettingsFile::SaveResult saved = SaveKeepSheet(seams_.settingsFolders(), on);
    if (!saved.saved)
        seams_.showMessage(SettingsSaveFailure(saved));
    keptSheetDue_->stop();
    try {
        if (on) {
            keptFileLeftAlone_ = false;
            restorePending_ = false;
            sheetChanged_ = true;
            SaveKeptSheetNow(true);
        } else {
            keptSheetWriter_.Remove(KeptSheetPath());
        }
    } catch (const CalcError &error) {
        seams_.showMessage(QString::fromStdString(error.what()));
    }
}

}  // namespace tallimo
