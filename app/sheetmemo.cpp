// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/sheetmemo.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>

#include "common/sheetlinebound.h"

namespace tallimo {

namespace {

bool IsModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
        return true;
    default:
        return false;
    }
}

}  // namespace

SheetMemo::SheetMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

QChar SheetMemo::TypedCharacter(const QKeyEvent &event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return {};
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(CarriageReturn);
    case Qt::Key_Backspace:
        return QChar(Backspace);
    default:
        break;
    }
    const QString text = event.text();
    if (text.size() == 1 && text.front().isPrint())
        return text.front();
    return {};
}

void SheetMemo::keyPressEvent(QKeyEvent *event)
{
    // A modifier alone moves no caret; reporting it would make Alt+O, pressed right after
    // Enter, look at the new empty line instead of the result just written.
    if (IsModifierKey(event->key())) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // Tab and Shift+Tab move the focus on and back; the sheet never takes a tab character.
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            focusNextPrevChild(event->key() == Qt::Key_Tab &&
                               !(event->modifiers() & Qt::ShiftModifier));
        return;
    }
    emit keyDown();
    Act(event);
    emit keyActed();
}

void SheetMemo::Act(QKeyEvent *event)
{
    const QChar typed = TypedCharacter(*event);
    if (typed.isNull() || !filter_) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // Enter's edits and its line break form one undo step.
    const bool mayEvaluate = typed == QLatin1Char('=') || typed == QChar(CarriageReturn);
    QTextCursor step(document());
    if (mayEvaluate)
        step.beginEditBlock();
    if (filter_(typed) == QChar(CarriageReturn)) {
        // A new line of the sheet, also when "=" was typed or Shift held. The caret is set from
        // the cursor that broke the line, so it stands on the new line, shown, brought into view
        // and remembering no earlier column. The editor's own Enter would first measure the caret
        // on the line the evaluation has just rewritten, whose layout is only renewed when the
        // edit ends: the line would be shaped twice for one Enter.
        QTextCursor caret = textCursor();
        caret.insertBlock();
        setTextCursor(caret);
    } else {
        QPlainTextEdit::keyPressEvent(event);
    }
    if (mayEvaluate)
        step.endEditBlock();
}

void SheetMemo::mousePressEvent(QMouseEvent *event)
{
    QPlainTextEdit::mousePressEvent(event);
    emit mouseDown();
}

// A double click selects a word after its press was reported; the caret is located again there.
void SheetMemo::mouseDoubleClickEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    emit mouseDown();
}

void SheetMemo::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved();
    QPlainTextEdit::mouseMoveEvent(event);
}

// The lines the insertion touches are checked as they would read after it: the start of the
// first before the selection, the text, the end of the last after it.
void SheetMemo::insertFromMimeData(const QMimeData *source)
{
    if (source && source->hasText()) {
        const QTextCursor caret = textCursor();
        const QTextBlock first = document()->findBlock(caret.selectionStart());
        const QTextBlock last = document()->findBlock(caret.selectionEnd());
        const QString touched = first.text().left(caret.selectionStart() - first.position()) +
                                source->text() +
                                last.text().mid(caret.selectionEnd() - last.position());
        if (const std::optional<qsizetype> line = FirstOverlongLine(touched)) {
            emit insertionRefused(OverlongLineMessage(first.blockNumber() + *line));
            return;
        }
    }
    QPlainTextEdit::insertFromMimeData(source);
}

}  // namespace tallimo
