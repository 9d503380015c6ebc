// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>

namespace tallimo {

class SheetResults;

// What the line evaluation needs of a sheet: its lines, the caret, replacing one line, and the
// results kept for its lines. The window implements it on its editor, the command-line tool on a
// list of lines. Lines are counted from 0 and hold no line break.
class Sheet {
public:
    virtual ~Sheet() = default;
    virtual int LineCount() const = 0;
    virtual QString Line(int line) const = 0;
    virtual int CaretLine() const = 0;
    // The number of characters before the caret on its line.
    virtual int CaretColumn() const = 0;
    // Hands the lines [first, end) to `read` in order; a sheet that walks its lines faster than it
    // finds one by its number does so here.
    virtual void ReadLines(int first, int end,
                           const std::function<void(int line, QStringView text)> &read) const
    {
        for (int line = first; line < end; ++line)
            read(line, Line(line));
    }
    // Writes one line in place and leaves the caret at its end.
    virtual void ReplaceLine(int line, const QString &text) = 0;
    // The results read from the lines so far. The sheet reports every change of its lines to them
    // before the next total is taken.
    virtual SheetResults &Results() = 0;
};

}  // namespace tallimo
