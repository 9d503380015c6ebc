// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Saving the sheet as a text file and importing one into it.

#include <QFileInfo>
#include <QTextCursor>

#include "app/calcform.h"
#include "common/sheetfile.h"
#include "common/sheetlinebound.h"
#include "engine/calcerror.h"

namespace tallimo {

// The sheet goes to the chosen name with ".txt" added; an existing file is asked about under the
// name that is written, and only "是" replaces it.
void TCalcForm::SpeedButton6Click()
{
    const QString sheet = Memo1->toPlainText();
    if (IsBlankSheet(sheet))
        return;
    const QString chosen = seams_.chooseSaveFile(SheetFileFilter);
    if (chosen.isEmpty())
        return;
    const QString path = WithTxtSuffix(chosen);
    const QFileInfo target(path);
    // A folder of that name is not replaced: the write fails with the system's reason.
    if (target.exists() && !target.isDir() &&
        !seams_.askYesNo(QStringLiteral("%1 已存在。\n要替换它吗？").arg(target.fileName())))
        return;
    try {
        WriteSheetFile(path, sheet);
    } catch (const CalcError &error) {
        seams_.showMessage(QString::fromStdString(error.what()));
    }
}

void TCalcForm::SpeedButton47Click()
{
    const QString chosen = seams_.chooseOpenFile(SheetFileFilter);
    if (chosen.isEmpty())
        return;
    QString imported;
    try {
        imported = ReadSheetFile(chosen);
    } catch (const CalcError &error) {
        seams_.showMessage(QString::fromStdString(error.what()));
        return;
    }
    if (const std::optional<qsizetype> line = FirstOverlongLine(imported)) {
        seams_.showMessage(OverlongLineMessage(*line));
        return;
    }
    // One undo step brings the whole sheet back as it was before the import.
    QTextCursor everything(Memo1->document());
    everything.beginEditBlock();
    everything.select(QTextCursor::Document);
    everything.insertText(imported);
    everything.endEditBlock();
    Memo1->moveCursor(QTextCursor::Start);
    LocateCaret();
}

}  // namespace tallimo
