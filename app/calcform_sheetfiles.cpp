// Saving the sheet as a text file and importing one into it.

#include <QTextCursor>

#include "app/calcform.h"
#include "common/sheetfile.h"
#include "common/sheetlinebound.h"
#include "engine/calcerror.h"

namespace tallimo {

void TCalcForm::SpeedButton6Click()
{
    const QString sheet = Memo1->toPlainText();
    if (IsBlankSheet(sheet))
        return;
    const QString chosen = seams_.chooseSaveFile(SheetFileFilter);
    if (chosen.isEmpty())
        return;
    try {
        WriteSheetFile(WithTxtSuffix(chosen), sheet);
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
