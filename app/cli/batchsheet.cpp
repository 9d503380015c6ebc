// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/cli/batchsheet.h"

#include <algorithm>
#include <utility>

#include "engine/scanner.h"

namespace tallimo {

namespace {

// Cuts the first line off a text of lines separated by "\n".
QStringView CutLine(QStringView &text)
{
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    if (end < 0)
        return std::exchange(text, QStringView());
    const QStringView line = text.left(end);
    text = text.mid(end + 1);
    return line;
}

}  // namespace

BatchSheet::BatchSheet() { results_.Reset(0); }

BatchSheet::BatchSheet(QStringView text)
    : coming_(text), comingCount_(static_cast<int>(text.count(QLatin1Char('\n'))) + 1)
{
    // Counted as added rather than reset to their number: no room is taken for a result on every
    // line, since the lines leave as they are done.
    results_.Reset(0);
    results_.LinesReplaced(0, 0, comingCount_);
}

QString BatchSheet::Line(int line) const
{
    if (line >= 0 && line < open_.size())
        return open_.at(line);
    QString text;
    ReadLines(line, line + 1, [&text](int, QStringView found) { text = found.toString(); });
    return text;
}

int BatchSheet::CaretColumn() const
{
    return open_.isEmpty() ? 0 : static_cast<int>(open_.constLast().size());
}

void BatchSheet::ReadLines(int first, int end,
                           const std::function<void(int line, QStringView text)> &read) const
{
    const int openCount = static_cast<int>(open_.size());
    for (int line = first; line < std::min(end, openCount); ++line)
        read(line, open_.at(line));
    QStringView coming = coming_;
    for (int line = openCount; line < end && line < LineCount(); ++line) {
        const QStringView text = CutLine(coming);
        if (line >= first)
            read(line, text);
    }
}

void BatchSheet::ReplaceLine(int line, const QString &text)
{
    open_[line] = text;
    results_.LineChanged(line);
}

void BatchSheet::TakeComingLine()
{
    const QStringView line = CutLine(coming_);
    --comingCount_;
    open_ << QString::fromRawData(line.data(), line.size());
}

void BatchSheet::AddLine(const QString &text)
{
    open_ << text;
    results_.LinesReplaced(LineCount() - 1, 0, 1);
}

void BatchSheet::CloseExpression(const RegionalSettings &regional)
{
    results_.TakeOutLeadingLines(*this, static_cast<int>(open_.size()), regional);
    open_.clear();
}

void BatchSheet::PassOverEmptyExpression(const RegionalSettings &regional)
{
    const int current = CaretLine();
    if (!IsBlankText(open_.at(current))) {
        results_.TakeOutLeadingLines(*this, current, regional);
        open_.erase(open_.begin(), open_.begin() + current);
    } else if (current > 0 && !IsBlankText(open_.at(current - 1))) {
        results_.LinesReplaced(current, 1, 0);
        open_.removeLast();
    } else {
        CloseExpression(regional);
    }
}

}  // namespace tallimo
