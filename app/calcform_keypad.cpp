// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The keypad and the editing buttons of the toolbar. Every change they make to the sheet goes
// through the editor's cursor as one undo step. An operator never follows another: typed or
// inserted right after one, it takes that one's place.

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTextBlock>
#include <QToolButton>

#include "app/calcform.h"
#include "app/formstyle.h"
#include "engine/texthelpers.h"

namespace tallimo {

namespace {

// Keys are 29 x 27 in three columns; the rows from FirstFunctionRow on hold the functions, drawn
// in red, the rows above them digits and operators, in blue.
constexpr int KeyColumns[] = {5, 37, 69};
constexpr int KeyRows[] = {10, 40, 70, 99, 132, 161, 195, 224, 252, 280, 309};
constexpr int FirstFunctionRow = 6;
constexpr QSize KeySize(29, 27);

// "Log10" is the one caption wider than its key: it is drawn condensed. Deciding by length keeps
// font measuring out of the window's creation, ahead of its first paint.
void FitCaption(QToolButton *button)
{
    constexpr int WidestCaptionThatFits = 4;
    if (button->text().size() <= WidestCaptionThatFits)
        return;
    QFont font = button->font();
    font.setStretch(QFont::Condensed);
    button->setFont(font);
}

bool IsOperator(QChar character)
{
    return character == QLatin1Char('+') || character == QLatin1Char('-') ||
           character == QLatin1Char('*') || character == QLatin1Char('/');
}

bool OperatorBefore(const QTextDocument &sheet, int position)
{
    return position > 0 && IsOperator(sheet.characterAt(position - 1));
}

// The caret without its selection, at the selection's start.
QTextCursor CaretAtSelectionStart(const QPlainTextEdit &sheet)
{
    QTextCursor caret = sheet.textCursor();
    caret.setPosition(caret.selectionStart());
    return caret;
}

}  // namespace

const std::vector<KeypadKey> &TCalcForm::KeypadKeys()
{
    // Every key, row by row and left to right: name, caption, hint, place, inserted text, clip.
    static const std::vector<KeypadKey> keys = {
        {"SpeedButton8", "7", "", 0, 0, "7", Insertion::AtCaret, "7_wav"},
        {"SpeedButton14", "8", "", 0, 1, "8", Insertion::AtCaret, "8_wav"},
        {"SpeedButton9", "9", "", 0, 2, "9", Insertion::AtCaret, "9_wav"},
        {"SpeedButton10", "4", "", 1, 0, "4", Insertion::AtCaret, "4_wav"},
        {"SpeedButton11", "5", "", 1, 1, "5", Insertion::AtCaret, "5_wav"},
        {"SpeedButton12", "6", "", 1, 2, "6", Insertion::AtCaret, "6_wav"},
        {"SpeedButton13", "1", "", 2, 0, "1", Insertion::AtCaret, "1_wav"},
        {"SpeedButton15", "2", "", 2, 1, "2", Insertion::AtCaret, "2_wav"},
        {"SpeedButton16", "3", "", 2, 2, "3", Insertion::AtCaret, "3_wav"},
        {"SpeedButton17", "0", "", 3, 0, "0", Insertion::AtCaret, "0_wav"},
        {"SpeedButton18", ".", "", 3, 1, ".", Insertion::AtCaret, "point_wav"},
        {"SpeedButton19", "=", "", 3, 2, "", Insertion::None, "", &TCalcForm::SpeedButton19Click},
        {"SpeedButton20", "+", "", 4, 0, "+", Insertion::AtCaret, "add_wav"},
        {"SpeedButton21", "-", "", 4, 1, "-", Insertion::AtCaret, "sub_wav"},
        {"SpeedButton22", "*", "", 4, 2, "*", Insertion::AtCaret, "mul_wav"},
        {"SpeedButton23", "/", "", 5, 0, "/", Insertion::AtCaret, "div_wav"},
        {"SpeedButton24", "(", "", 5, 1, "(", Insertion::AtCaret, "zuo_wav"},
        {"SpeedButton25", ")", "", 5, 2, ")", Insertion::Plain, "you_wav"},
        {"SpeedButton34", "<-", "退格", 6, 0, "", Insertion::None, "",
         &TCalcForm::SpeedButton34Click},
        {"SpeedButton5", "x^y", "Exp1^Exp2：计算式Exp1的Exp2次方，例 2^3 ", 6, 1, "()^()",
         Insertion::Plain, "ncf_wav"},
        {"SpeedButton26", "n!", "计算整数表达式的介乘, 如： 3!", 6, 2, "()!", Insertion::Plain,
         "leicheng_wav"},
        {"SpeedButton30", "Sqrt", "求平方根", 7, 0, "Sqrt()", Insertion::AtCaret, "kaifang_wav"},
        {"SpeedButton31", "Sqr", "平方数", 7, 1, "Sqr()", Insertion::AtCaret, "pingfang_wav"},
        {"SpeedButton32", "x%y", "计算Exp1除以Exp2后的余数，例17%5 ", 7, 2, "()%()",
         Insertion::Plain, "mod_wav"},
        {"SpeedButton27", "Sin", "正玄", 8, 0, "Sin()", Insertion::AtCaret, "sin_wav"},
        {"SpeedButton28", "Cos", "余玄", 8, 1, "Cos()", Insertion::AtCaret, "cos_wav"},
        {"SpeedButton29", "Tan", "正切", 8, 2, "Tan()", Insertion::AtCaret, "tan_wav"},
        {"SpeedButton33", "Asin", "反正玄", 9, 0, "Arcsin()", Insertion::AtCaret, "asin_wav"},
        {"SpeedButton39", "Acos", "反余玄", 9, 1, "ArcCos()", Insertion::AtCaret, "acos_wav"},
        {"SpeedButton3", "Atan", "反正切", 9, 2, "ArcTan()", Insertion::AtCaret, "atan_wav"},
        {"SpeedButton38", "Ln", "求Exp的自然对数，Ln(2)", 10, 0, "Ln()", Insertion::AtCaret, ""},
        {"SpeedButton40", "Log10", "求Exp以10为底的对数，例: Log10(2)", 10, 1, "Log10()",
         Insertion::AtCaret, "log_wav"},
        {"SpeedButton41", "Pi", "圆周率", 10, 2, "Pi", Insertion::AtCaret, "pi_wav"},
    };
    return keys;
}

void TCalcForm::CreateKeypadPage()
{
    GroupBox1 = SidePage(Named(new QGroupBox(Panel1), "GroupBox1"));
    for (const KeypadKey &key : KeypadKeys()) {
        QToolButton *button =
            PageButton(Named(new QToolButton(GroupBox1), key.name), QString::fromUtf8(key.caption),
                       QRect(QPoint(KeyColumns[key.column], KeyRows[key.row]), KeySize));
        button->setToolTip(QString::fromUtf8(key.hint));
        SetTextColour(button, key.row < FirstFunctionRow ? Blue : Red);
        FitCaption(button);
        // A caption that is a picture rather than a word ("<-") is announced by its hint.
        if (key.insertion == Insertion::None && *key.hint)
            button->setAccessibleName(QString::fromUtf8(key.hint));
        OnClick(button, [this, &key] {
            if (key.click) {
                (this->*key.click)();
                return;
            }
            PlayClip(QLatin1String(key.clip));
            if (key.insertion == Insertion::Plain)
                PlainInsert(QLatin1String(key.text));
            else
                insertpos(QLatin1String(key.text));
        });
    }
}

void TCalcForm::insertpos(const QString &text)
{
    QTextCursor caret = CaretAtSelectionStart(*Memo1);
    caret.beginEditBlock();
    if (text.size() == 1 && IsOperator(text.front()) &&
        OperatorBefore(*Memo1->document(), caret.position()))
        caret.deletePreviousChar();
    caret.insertText(text);
    caret.endEditBlock();
    // Between the empty brackets of a function.
    if (text.contains(QLatin1Char(')')))
        caret.movePosition(QTextCursor::PreviousCharacter);
    Memo1->setTextCursor(caret);
}

void TCalcForm::PlainInsert(const QString &text)
{
    QTextCursor caret = CaretAtSelectionStart(*Memo1);
    const int start = caret.position();
    caret.beginEditBlock();
    caret.insertText(text);
    caret.endEditBlock();
    // After a lone ")", or inside the first brackets of "()^()", "()!" and "()%()".
    caret.setPosition(start + 1);
    Memo1->setTextCursor(caret);
}

void TCalcForm::ReplaceTypedOperator(QChar key)
{
    QTextCursor caret = Memo1->textCursor();
    const int start = caret.selectionStart();
    if (!IsOperator(key) || !OperatorBefore(*Memo1->document(), start))
        return;
    // The typed operator goes in over the selected one, in one undo step; a selection there was
    // is dropped, not replaced.
    caret.setPosition(start - 1);
    caret.setPosition(start, QTextCursor::KeepAnchor);
    Memo1->setTextCursor(caret);
}

void TCalcForm::SpeedButton19Click()
{
    // Enter goes to the sheet, also when a result box or a settings control had the focus, and
    // acts there as a pressed key: it evaluates the line and plays the equals clip.
    Memo1->setFocus();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(Memo1, &enter);
}

void TCalcForm::SpeedButton34Click()
{
    PlayClip(QStringLiteral("bs_wav"));
    QTextCursor caret = CaretAtSelectionStart(*Memo1);
    if (caret.position() <= 0)
        return;
    caret.deletePreviousChar();
    Memo1->setTextCursor(caret);
}

void TCalcForm::SpeedButton7Click()
{
    PlayClip(QStringLiteral("c_wav"));
    QTextCursor everything(Memo1->document());
    everything.select(QTextCursor::Document);
    everything.removeSelectedText();
    Edit2->clear();
    Edit4->clear();
    Edit5->clear();
    Label1->setText(QStringLiteral("行1 列0 "));
    Memo1->setFocus();
}

void TCalcForm::sb_copyresultClick()
{
    const QString line = Memo1->document()->findBlockByNumber(currentLine_).text();
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return;
    edt_copy->setText(TrimBlanks(line.mid(equals + 1)));
    edt_copy->selectAll();
    edt_copy->copy();
}

void TCalcForm::SpeedButton1Click() { Memo1->paste(); }

void TCalcForm::Memo1MouseMove() { Memo1->viewport()->setCursor(Qt::IBeamCursor); }

}  // namespace tallimo
