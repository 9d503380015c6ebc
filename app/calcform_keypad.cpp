// The keypad and the editing buttons of the toolbar. Every change they make to the sheet goes
// through the editor's cursor as one undo step. An operator never follows another: typed or
// inserted right after one, it takes that one's place.

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTextBlock>
#include <QToolButton>

#include "calcform.h"
#include "engine/texthelpers.h"

namespace tallimo {

namespace {

enum class Insertion {
    // By insertpos: an operator replaces the one left of the caret; the caret goes after the
    // text, or before the last ")" of a function.
    AtCaret,
    // As it stands; the caret goes after the first character.
    Plain,
};

struct KeypadKey {
    const char *name;
    const char *text;
    const char *clip;
    Insertion insertion;
};

const KeypadKey KeypadKeys[] = {
    {"SpeedButton8", "7", "7_wav", Insertion::AtCaret},
    {"SpeedButton14", "8", "8_wav", Insertion::AtCaret},
    {"SpeedButton9", "9", "9_wav", Insertion::AtCaret},
    {"SpeedButton10", "4", "4_wav", Insertion::AtCaret},
    {"SpeedButton11", "5", "5_wav", Insertion::AtCaret},
    {"SpeedButton12", "6", "6_wav", Insertion::AtCaret},
    {"SpeedButton13", "1", "1_wav", Insertion::AtCaret},
    {"SpeedButton15", "2", "2_wav", Insertion::AtCaret},
    {"SpeedButton16", "3", "3_wav", Insertion::AtCaret},
    {"SpeedButton17", "0", "0_wav", Insertion::AtCaret},
    {"SpeedButton18", ".", "point_wav", Insertion::AtCaret},
    {"SpeedButton20", "+", "add_wav", Insertion::AtCaret},
    {"SpeedButton21", "-", "sub_wav", Insertion::AtCaret},
    {"SpeedButton22", "*", "mul_wav", Insertion::AtCaret},
    {"SpeedButton23", "/", "div_wav", Insertion::AtCaret},
    {"SpeedButton24", "(", "zuo_wav", Insertion::AtCaret},
    {"SpeedButton25", ")", "you_wav", Insertion::Plain},
    {"SpeedButton5", "()^()", "ncf_wav", Insertion::Plain},
    {"SpeedButton26", "()!", "leicheng_wav", Insertion::Plain},
    {"SpeedButton30", "Sqrt()", "kaifang_wav", Insertion::AtCaret},
    {"SpeedButton31", "Sqr()", "pingfang_wav", Insertion::AtCaret},
    {"SpeedButton32", "()%()", "mod_wav", Insertion::Plain},
    {"SpeedButton27", "Sin()", "sin_wav", Insertion::AtCaret},
    {"SpeedButton28", "Cos()", "cos_wav", Insertion::AtCaret},
    {"SpeedButton29", "Tan()", "tan_wav", Insertion::AtCaret},
    {"SpeedButton33", "Arcsin()", "asin_wav", Insertion::AtCaret},
    {"SpeedButton39", "ArcCos()", "acos_wav", Insertion::AtCaret},
    {"SpeedButton3", "ArcTan()", "atan_wav", Insertion::AtCaret},
    {"SpeedButton38", "Ln()", "", Insertion::AtCaret},
    {"SpeedButton40", "Log10()", "log_wav", Insertion::AtCaret},
    {"SpeedButton41", "Pi", "pi_wav", Insertion::AtCaret},
};

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

void TCalcForm::ConnectKeypad()
{
    auto button = [this](const char *name) {
        return findChild<QToolButton *>(QLatin1String(name));
    };
    for (const KeypadKey &key : KeypadKeys) {
        connect(button(key.name), &QToolButton::clicked, this, [this, &key] {
            PlayClip(QLatin1String(key.clip));
            if (key.insertion == Insertion::Plain)
                PlainInsert(QLatin1String(key.text));
            else
                insertpos(QLatin1String(key.text));
        });
    }
    connect(button("SpeedButton19"), &QToolButton::clicked, this, &TCalcForm::SpeedButton19Click);
    connect(button("SpeedButton34"), &QToolButton::clicked, this, &TCalcForm::SpeedButton34Click);
    connect(button("SpeedButton7"), &QToolButton::clicked, this, &TCalcForm::SpeedButton7Click);
    connect(button("sb_copyresult"), &QToolButton::clicked, this, &TCalcForm::sb_copyresultClick);
    connect(button("SpeedButton1"), &QToolButton::clicked, this, &TCalcForm::SpeedButton1Click);
    connect(Memo1, &SheetMemo::mouseMoved, this, &TCalcForm::Memo1MouseMove);
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
    // Enter goes to whichever control has the focus, as a pressed key would; normally the sheet,
    // where it evaluates the line and plays the equals clip.
    QWidget *target = QApplication::focusWidget();
    if (!target)
        return;
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(target, &enter);
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
