#include "plaintextsheet.h"

#include <QPlainTextEdit>
#include <QTextBlock>

namespace tallimo {

QString PlainTextSheet::Text() const { return editor_.toPlainText(); }

int PlainTextSheet::CaretPosition() const { return editor_.textCursor().selectionStart(); }

int PlainTextSheet::CaretLine() const
{
    return editor_.document()->findBlock(CaretPosition()).blockNumber();
}

QString PlainTextSheet::Line(int line) const
{
    return editor_.document()->findBlockByNumber(line).text();
}

void PlainTextSheet::ReplaceLine(int line, const QString &text)
{
    QTextCursor cursor(editor_.document()->findBlockByNumber(line));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(text);
    editor_.setTextCursor(cursor);
}

}  // namespace tallimo
