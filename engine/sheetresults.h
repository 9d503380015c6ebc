// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringView>

#include <optional>
#include <utility>
#include <vector>

#include "engine/regional.h"
#include "engine/value.h"

namespace tallimo {

class Sheet;

// The number written after the first "=" of a line (up to a CR), or nothing when the line has no
// "=" or the text there is not a number.
std::optional<Value> ResultOfLine(QStringView line, const RegionalSettings &regional);

// The sheet total kept between evaluations. Each line's result is read once after the line
// changed, and the running total is kept at every line that has a result, so a total after an
// edit adds again only from the first changed result on, and stops as soon as the running total
// meets the one kept from before. The additions are those of a walk over the whole sheet: the
// running double plus the extended result, rounded to a double, line after line.
class SheetResults {
public:
    // Starts over for a sheet of that many lines, none of them read.
    void Reset(int lineCount);
    // Lines [first, first + removed) were replaced by `added` lines, to be read again.
    void LinesReplaced(int first, int removed, int added);
    void LineChanged(int line) { LinesReplaced(line, 1, 1); }

    // The sum of the results of every line of the sheet. Throws CalcError(Overflow) when it
    // leaves the double range.
    double Total(const Sheet &sheet, const RegionalSettings &regional);

    // The first `count` lines leave the sheet for good and the lines after them move up; their
    // results stay in the total, summed. Lines changed since the last total are read first, from
    // the sheet as it is before they leave. A sheet that takes lines out keeps its results in
    // step with every change, since lines taken out can never be read again.
    void TakeOutLeadingLines(const Sheet &sheet, int count, const RegionalSettings &regional);

private:
    // The extended value first, so that an entry takes 32 bytes rather than 48.
    struct Result {
        Value value;
        double runningTotal;  // the total up to and including this line
        int line;             // the sheet's line plus offset_
    };

    int Stored(int line) const { return line + offset_; }
    void Update(const Sheet &sheet, const RegionalSettings &regional);
    void Read(int line, std::optional<Value> value);
    void Erased(size_t at, size_t count);
    void MarkChanged(size_t index);
    void AddAgain();

    // The lines with a result, in line order. Results of lines taken out come first, at lines
    // below offset_; the last of them carries their sum in its running total.
    std::vector<Result> results_;
    std::vector<std::pair<int, int>> unread_;  // changed lines [first, end), ascending
    std::vector<std::pair<int, int>>
        ranges_;                         // room for the next unread_, kept to save allocations
    int lineCount_ = -1;                 // -1: not in step with any sheet
    int offset_ = 0;                     // the lines taken out so far
    size_t firstToAdd_ = 0;              // running totals are stale from here on
    std::optional<size_t> lastChanged_;  // the last result whose value is new
};

}  // namespace tallimo
