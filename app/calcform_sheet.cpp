// The sheet's road: where the caret is, what a typed character does, and the evaluation of the
// current line with its result bar.

#include <QLabel>
#include <QLineEdit>
#include <QTextBlock>

#include "app/voice/clipnames.h"
#include "calcform.h"
#include "common/resultbar.h"
#include "engine/calcerror.h"
#include "plaintextsheet.h"

namespace tallimo {

void TCalcForm::ConnectSheet()
{
    regional_ = SystemRegionalSettings();
    connect(Memo1, &SheetMemo::keyDown, this, &TCalcForm::Memo1KeyDown);
    connect(Memo1, &SheetMemo::mouseDown, this, &TCalcForm::Memo1MouseDown);
    connect(Memo1, &SheetMemo::mouseMoved, this, &TCalcForm::Memo1MouseMove);
    Memo1->SetCharacterFilter([this](QChar key) { return Memo1KeyPress(key); });
}

void TCalcForm::Memo1KeyDown() { LocateCaret(); }

void TCalcForm::Memo1MouseDown() { LocateCaret(); }

void TCalcForm::LocateCaret()
{
    const int position = Memo1->textCursor().selectionStart();
    const QTextBlock line = Memo1->document()->findBlock(position);
    currentLine_ = line.blockNumber();
    caretColumn_ = position - line.position();
    Label1->setText(QStringLiteral("行:%1 列:%2").arg(currentLine_ + 1).arg(caretColumn_));
}

QChar TCalcForm::Memo1KeyPress(QChar key)
{
    ReplaceTypedOperator(key);
    PlayClip(KeyEchoClip(key.unicode()));
    // A typed "=" never enters the sheet: it acts as Enter.
    if (key == QLatin1Char('='))
        key = QChar(SheetMemo::CarriageReturn);
    if (key == QChar(SheetMemo::CarriageReturn))
        EvaluateCurrentLine();
    return key;
}

void TCalcForm::EvaluateCurrentLine()
{
    if (!tokens_)
        return;
    try {
        PlainTextSheet sheet(*Memo1);
        const LineEvaluation outcome =
            EvaluateLine(sheet, currentLine_, Decimals(), regional_, *tokens_);
        currentLine_ = outcome.currentLine;
        ShowResult(outcome);
    } catch (const CalcError &) {
        seams_.showMessage(QStringLiteral("表达式错误！"));
    }
}

void TCalcForm::ShowResult(const LineEvaluation &outcome)
{
    PlayClip(QStringLiteral("eqr_wav"));
    const ResultBarTexts texts =
        MakeResultBarTexts(outcome.value, outcome.total, Decimals(), MoneyMode(), regional_);
    Edit4->setText(texts.lineText);
    Edit5->setText(texts.totalNumberText);
    Edit2->setText(texts.totalText);
    ReadResult(texts);
}

}  // namespace tallimo
