// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/sheetresults.h"

#include <algorithm>
#include <cmath>

#include "engine/calcerror.h"
#include "engine/numbersyntax.h"
#include "engine/sheet.h"

namespace tallimo {

std::optional<Value> ResultOfLine(QStringView line, const RegionalSettings &regional)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    QStringView result = line.mid(equals + 1);
    const qsizetype cr = result.indexOf(QLatin1Char('\r'));
    if (cr >= 0)
        result = result.left(cr);
    return ReadNumber(result, regional);
}

void SheetResults::Reset(int lineCount)
{
    results_.clear();
    offset_ = 0;
    // Room for a result on every line, taken once: a long sheet whose lines get their results
    // one by one then never moves them. Pages that no result reaches are never touched.
    if (lineCount > 0)
        results_.reserve(static_cast<size_t>(lineCount));
    unread_.clear();
    if (lineCount > 0)
        unread_.emplace_back(0, lineCount);
    lineCount_ = lineCount;
    firstToAdd_ = 0;
    lastChanged_.reset();
}

void SheetResults::LinesReplaced(int first, int removed, int added)
{
    if (lineCount_ < 0)
        return;
    if (first < 0 || removed < 0 || added < 0 || first + removed > lineCount_) {
        lineCount_ = -1;  // out of step: the next total starts over
        return;
    }
    const int delta = added - removed;
    const int kept = std::min(removed, added);  // replaced lines that keep their entry until read

    const auto byLine = [](const Result &result, int line) { return result.line < line; };
    const auto gone =
        std::lower_bound(results_.begin(), results_.end(), Stored(first + kept), byLine);
    const auto after = std::lower_bound(gone, results_.end(), Stored(first + removed), byLine);
    const size_t goneAt = static_cast<size_t>(gone - results_.begin());
    if (gone != after) {
        const auto count = static_cast<size_t>(after - gone);
        results_.erase(gone, after);
        Erased(goneAt, count);
    }
    if (delta != 0) {
        for (auto it = results_.begin() + static_cast<std::ptrdiff_t>(goneAt); it != results_.end();
             ++it)
            it->line += delta;
    }

    std::vector<std::pair<int, int>> &unread = ranges_;
    unread.clear();
    for (const auto &[begin, end] : unread_) {
        if (begin < first)
            unread.emplace_back(begin, std::min(end, first));
        if (end > first + removed)
            unread.emplace_back(std::max(begin, first + removed) + delta, end + delta);
    }
    if (added > 0)
        unread.emplace_back(first, first + added);
    std::sort(unread.begin(), unread.end());
    unread_.clear();
    for (const auto &range : unread) {
        if (!unread_.empty() && range.first <= unread_.back().second)
            unread_.back().second = std::max(unread_.back().second, range.second);
        else
            unread_.push_back(range);
    }
    lineCount_ += delta;
}

void SheetResults::Read(int line, std::optional<Value> value)
{
    const int stored = Stored(line);
    const auto at =
        std::lower_bound(results_.begin(), results_.end(), stored,
                         [](const Result &result, int wanted) { return result.line < wanted; });
    const size_t index = static_cast<size_t>(at - results_.begin());
    const bool known = at != results_.end() && at->line == stored;
    if (!value) {
        if (known) {
            results_.erase(at);
            Erased(index, 1);
        }
        return;
    }
    if (known && at->value == *value)
        return;
    if (known) {
        at->value = *value;
    } else {
        results_.insert(at, Result{*value, 0, stored});
        if (lastChanged_ && *lastChanged_ >= index)
            ++*lastChanged_;
    }
    firstToAdd_ = std::min(firstToAdd_, index);
    MarkChanged(index);
}

// The running totals from `at` on were added after results that are gone, so none of them may be
// taken as already right until the one at `at` was added again.
void SheetResults::Erased(size_t at, size_t count)
{
    firstToAdd_ = std::min(firstToAdd_, at);
    if (lastChanged_ && *lastChanged_ >= at)
        lastChanged_ = *lastChanged_ >= at + count ? *lastChanged_ - count : at;
    if (at > 0)
        MarkChanged(at - 1);
}

void SheetResults::MarkChanged(size_t index)
{
    lastChanged_ = std::max(lastChanged_.value_or(index), index);
}

// Once a running total equals the one kept, every later one would too: their results did not
// change since they were added.
void SheetResults::AddAgain()
{
    for (size_t i = firstToAdd_; i < results_.size(); ++i) {
        const double before = i > 0 ? results_[i - 1].runningTotal : 0.0;
        const auto running = static_cast<double>(before + results_[i].value);
        if ((!lastChanged_ || i > *lastChanged_) && running == results_[i].runningTotal)
            break;
        results_[i].runningTotal = running;
    }
    firstToAdd_ = results_.size();
    lastChanged_.reset();
}

void SheetResults::Update(const Sheet &sheet, const RegionalSettings &regional)
{
    if (lineCount_ != sheet.LineCount())
        Reset(sheet.LineCount());
    for (const auto &[begin, end] : unread_) {
        sheet.ReadLines(begin, end, [this, &regional](int line, QStringView text) {
            Read(line, ResultOfLine(text, regional));
        });
    }
    unread_.clear();
    AddAgain();
}

void SheetResults::TakeOutLeadingLines(const Sheet &sheet, int count,
                                       const RegionalSettings &regional)
{
    Update(sheet, regional);
    offset_ += count;
    lineCount_ -= count;
    // One result of the lines gone stays, for its running total; the others go once they are
    // the larger part, so that taking lines out costs a constant time on average.
    const auto gone =
        std::lower_bound(results_.begin(), results_.end(), offset_,
                         [](const Result &result, int wanted) { return result.line < wanted; });
    const auto goneCount = gone - results_.begin();
    if (goneCount > 1 && 2 * static_cast<size_t>(goneCount) > results_.size())
        results_.erase(results_.begin(), gone - 1);
    firstToAdd_ = results_.size();
}

double SheetResults::Total(const Sheet &sheet, const RegionalSettings &regional)
{
    Update(sheet, regional);
    // An infinite running total stays infinite, so the last one tells whether any overflowed.
    const double total = results_.empty() ? 0.0 : results_.back().runningTotal;
    if (!std::isfinite(total))
        throw CalcError(CalcError::Kind::Overflow, "the sheet total is out of range");
    return total;
}

}  // namespace tallimo
