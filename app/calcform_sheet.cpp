// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The sheet at work: where the caret is, what a typed character does, and the evaluation of the
// current line with its result bar.

#include <QLabel>
#include <QLineEdit>
#include <QTextBlock>

#include <utility>

#include "app/calcform.h"
#include "app/plaintextsheet.h"
#include "app/voice/clipnames.h"
#include "common/resultbar.h"
#include "common/sheetlinebound.h"

namespace tallimo {

void TCalcForm::ConnectSheet()
{
    regional_ = SystemRegionalSettings();
    connect(Memo1, &SheetMemo::keyDown, this, &TCalcForm::Memo1KeyDown);
    connect(Memo1, &SheetMemo::keyActed, this, &TCalcForm::Memo1KeyActed);
    connect(Memo1, &QPlainTextEdit::cursorPositionChanged, this, &TCalcForm::Memo1CaretMoved);
    connect(Memo1, &SheetMemo::mouseDown, this, &TCalcForm::Memo1MouseDown);
    connect(Memo1, &SheetMemo::mouseMoved, this, &TCalcForm::Memo1MouseMove);
    connect(Memo1, &SheetMemo::insertionRefused, this,
            [this](const QString &message) { seams_.showMessage(message); });
    Memo1->SetCharacterFilter([this](QChar key) { return Memo1KeyPress(key); });
}

// The current line follows the caret: when a key goes down, once the key has acted, and whenever
// the caret moves otherwise (a click, a keypad button, an undo). The one exception is the line
// just evaluated: it stays the current line, for copy result, until the caret leaves the place
// Enter put it in. The caret label always shows where the caret is.
void TCalcForm::Memo1KeyDown()
{
    keyActing_ = true;
    LocateCaret();
}

void TCalcForm::Memo1KeyActed()
{
    keyActing_ = false;
    if (std::exchange(evaluatedDuringKey_, false)) {
        heldCaretPosition_ = CaretPosition();
        ShowCaretLabel();
    } else {
        Memo1CaretMoved();
    }
}

void TCalcForm::Memo1CaretMoved()
{
    if (keyActing_)
        return;
    if (heldCaretPosition_ == CaretPosition()) {
        ShowCaretLabel();
        return;
    }
    LocateCaret();
}

void TCalcForm::Memo1MouseDown() { LocateCaret(); }

int TCalcForm::CaretPosition() const { return Memo1->textCursor().selectionStart(); }

void TCalcForm::LocateCaret()
{
    heldCaretPosition_.reset();
    currentLine_ = Memo1->document()->findBlock(CaretPosition()).blockNumber();
    ShowCaretLabel();
}

void TCalcForm::ShowCaretLabel()
{
    const int position = CaretPosition();
    const QTextBlock line = Memo1->document()->findBlock(position);
    // Put together piece by piece: two arg() calls would each search the text for markers.
    QString text = QStringLiteral("行:");
    text.append(QString::number(line.blockNumber() + 1))
        .append(QStringLiteral(" 列:"))
        .append(QString::number(position - line.position()));
    Label1->setText(text);
}

QChar TCalcForm::Memo1KeyPress(QChar key)
{
    // A typed "=" never enters the sheet: it acts as Enter.
    const bool enter = key == QLatin1Char('=') || key == QChar(SheetMemo::CarriageReturn);
    // Nothing that fails while a key is handled may leave the key's handler.
    try {
        ReplaceTypedOperator(key);
        PlayClip(KeyEchoClip(key.unicode()));
    } catch (...) {
        seams_.showMessage(QStringLiteral("表达式错误！"));
    }
    if (!enter)
        return key;
    EvaluateCurrentLine();
    evaluatedDuringKey_ = true;
    return QChar(SheetMemo::CarriageReturn);
}

void TCalcForm::EvaluateCurrentLine()
{
    if (!tokens_)
        return;
    // A line longer than the sheet takes, typed in by hand, is not read: it would hold the
    // window up.
    const QTextBlock line = Memo1->document()->findBlockByNumber(currentLine_);
    if (line.length() - 1 > LongestSheetLine) {
        seams_.showMessage(OverlongLineMessage(currentLine_ + 1));
        return;
    }
    try {
        PlainTextSheet sheet(*Memo1);
        const LineEvaluation outcome =
            EvaluateLine(sheet, currentLine_, Decimals(), regional_, *tokens_);
        currentLine_ = outcome.currentLine;
        ShowResult(outcome);
    } catch (...) {
        seams_.showMessage(QStringLiteral("表达式错误！"));
    }
}

void TCalcForm::ShowResult(const LineEvaluation &outcome)
{
    PlayClip(QStringLiteral("eqr_wav"));
    const ResultBarTexts texts =
        MakeResultBarTexts(outcome.value, outcome.total, Decimals(), MoneyMode(), regional_);
    // Each box shows the start of its text, the largest units of a long uppercase text.
    for (const auto &[box, text] :
         {std::pair(Edit4, texts.lineText), std::pair(Edit5, texts.totalNumberText),
          std::pair(Edit2, texts.totalText)}) {
        // A box whose text stays is not set again: setting it lays its text out afresh.
        if (box->text() != text)
            box->setText(text);
        box->setCursorPosition(0);
    }
    ReadResult(texts);
}

}  // namespace tallimo
