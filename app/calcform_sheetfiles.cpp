// Saving the sheet as a text file and importing one into it.

#include <QFileInfo>
#include <QTextCursor>

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
