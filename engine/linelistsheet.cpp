#include "linelistsheet.h"

namespace tallimo {

LineListSheet::LineListSheet(const QString &text) : lines_(text.split(QLatin1Char('\n')))
{
    SetCaretAtEnd(LineCount() - 1);
}

QString LineListSheet::Text() const { return lines_.join(QLatin1Char('\n')); }

int LineListSheet::CaretPosition() const
{
    qsizetype position = 0;
    for (int i = 0; i < caretLine_; ++i)
        position += lines_.at(i).size() + 1;
    return static_cast<int>(position + caretColumn_);
}

int LineListSheet::CaretLine() const { return caretLine_; }

QString LineListSheet::Line(int line) const { return lines_.at(line); }

void LineListSheet::ReplaceLine(int line, const QString &text)
{
    lines_[line] = text;
    SetCaretAtEnd(line);
}

void LineListSheet::SetCaret(int line, int column)
{
    caretLine_ = line;
    caretColumn_ = column;
}

void LineListSheet::BreakLine()
{
    const QString line = lines_.at(caretLine_);
    lines_[caretLine_] = line.left(caretColumn_);
    lines_.insert(caretLine_ + 1, line.mid(caretColumn_));
    SetCaret(caretLine_ + 1, 0);
}

}  // namespace tallimo
