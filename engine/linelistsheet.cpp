#include "linelistsheet.h"

namespace tallimo {

LineListSheet::LineListSheet(const QString &text) : text_(text)
{
    starts_.push_back(0);
    for (qsizetype i = 0; i < text_.size(); ++i) {
        if (text_[i] == QLatin1Char('\n'))
            starts_.push_back(i + 1);
    }
    SetCaretAtEnd(LineCount() - 1);
}

qsizetype LineListSheet::LineEnd(int line) const
{
    return line + 1 < LineCount() ? starts_[static_cast<size_t>(line) + 1] - 1 : text_.size();
}

void LineListSheet::ShiftStartsAfter(int line, qsizetype delta)
{
    for (size_t i = static_cast<size_t>(line) + 1; i < starts_.size(); ++i)
        starts_[i] += delta;
}

int LineListSheet::CaretPosition() const
{
    return static_cast<int>(starts_[static_cast<size_t>(caretLine_)] + caretColumn_);
}

QString LineListSheet::Line(int line) const
{
    const qsizetype start = starts_.at(static_cast<size_t>(line));
    return text_.mid(start, LineEnd(line) - start);
}

void LineListSheet::ReplaceLine(int line, const QString &text)
{
    const qsizetype start = starts_.at(static_cast<size_t>(line));
    const qsizetype length = LineEnd(line) - start;
    text_.replace(start, length, text);
    ShiftStartsAfter(line, text.size() - length);
    SetCaretAtEnd(line);
}

void LineListSheet::SetCaret(int line, int column)
{
    caretLine_ = line;
    caretColumn_ = column;
}

void LineListSheet::BreakLine()
{
    const qsizetype position = CaretPosition();
    text_.insert(position, QLatin1Char('\n'));
    ShiftStartsAfter(caretLine_, 1);
    starts_.insert(starts_.begin() + caretLine_ + 1, position + 1);
    SetCaret(caretLine_ + 1, 0);
}

}  // namespace tallimo
