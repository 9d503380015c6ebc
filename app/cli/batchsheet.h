// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include "engine/regional.h"
#include "engine/sheet.h"
#include "engine/sheetresults.h"

namespace tallimo {

// The sheet the command-line tool evaluates from its first line to its last. It holds only the
// lines an expression can still reach: those after the last line that got a result or failed,
// up to the current line, which is always the last it holds and has the caret at its end. The
// lines it lets go stay in the total. A sheet read whole keeps the text of the lines still to
// come, whose results count in the total as they stand, so a long sheet costs its text and the
// results it holds, not a string for every line.
class BatchSheet : public Sheet {
public:
    // A sheet whose lines are added one by one.
    BatchSheet();
    // A sheet read whole: the lines of `text`, separated by "\n" (an empty text is one empty
    // line). None of them is current yet. The text must outlive the sheet.
    explicit BatchSheet(QStringView text);

    int LineCount() const override { return static_cast<int>(open_.size()) + comingCount_; }
    QString Line(int line) const override;
    int CaretLine() const override { return static_cast<int>(open_.size()) - 1; }
    int CaretColumn() const override;
    void ReadLines(int first, int end,
                   const std::function<void(int line, QStringView text)> &read) const override;
    void ReplaceLine(int line, const QString &text) override;
    SheetResults &Results() override { return results_; }

    // True while a sheet read whole has lines that were never current.
    bool HasComingLine() const { return comingCount_ > 0; }
    // Makes the next line of the text the current one.
    void TakeComingLine();
    // Adds a line after the last one and makes it the current one.
    void AddLine(const QString &text);
    // The current line ends the expressions: no later line reaches back over it. It and the lines
    // before it leave the sheet; their results stay in the total.
    void CloseExpression(const RegionalSettings &regional);
    // The current line held nothing to compute, so the next line's expression reaches back over
    // it. Such lines give a later scan no token; all it reads of them is whether any held more
    // than blanks (a "+" or "-" after such text is no sign). So one line holding more than blanks,
    // or none at all, stands for them, and a long run of empty lines costs no more than one.
    void PassOverEmptyExpression(const RegionalSettings &regional);

private:
    QStringList open_;    // the lines from the first an expression can reach to the current one
    QStringView coming_;  // the text of the lines after the current one
    int comingCount_ = 0;
    SheetResults results_;
};

}  // namespace tallimo
