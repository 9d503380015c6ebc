// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/linelist/linelistsheet.h"

namespace tallimo {

LineListSheet::LineListSheet(QStringList lines) : lines_(std::move(lines))
{
    if (lines_.isEmpty())
        lines_ << QString();
    results_.Reset(LineCount());
    SetCaretAtEnd(LineCount() - 1);
}

LineListSheet::LineListSheet(const QString &text) : LineListSheet(text.split(QLatin1Char('\n'))) {}

void LineListSheet::ReplaceLine(int line, const QString &text)
{
    lines_[line] = text;
    results_.LineChanged(line);
    SetCaretAtEnd(line);
}

void LineListSheet::SetCaret(int line, int column)
{
    caretLine_ = line;
    caretColumn_ = column;
}

void LineListSheet::AppendLine(const QString &text)
{
    lines_ << text;
    results_.LinesReplaced(LineCount() - 1, 0, 1);
}

void LineListSheet::BreakLine()
{
    QString &line = lines_[caretLine_];
    const QString rest = line.mid(caretColumn_);
    line.truncate(caretColumn_);
    lines_.insert(caretLine_ + 1, rest);
    results_.LinesReplaced(caretLine_, 1, 2);
    SetCaret(caretLine_ + 1, 0);
}

}  // namespace tallimo
