#pragma once

#include <QString>

#include "regional.h"
#include "scanner.h"
#include "value.h"

namespace tallimo {

// What the line road needs of a sheet: its text, the caret, and reading and replacing one line.
// The window implements it on its editor, the command-line tool on a list of lines. Lines are
// separated by "\n" and counted from 0.
class SheetEditor {
public:
    virtual ~SheetEditor() = default;
    virtual QString Text() const = 0;
    virtual int CaretPosition() const = 0;
    virtual int CaretLine() const = 0;
    virtual QString Line(int line) const = 0;
    // Writes one line in place and leaves the caret at its end.
    virtual void ReplaceLine(int line, const QString &text) = 0;
};

struct LineEvaluation {
    bool evaluated = false;  // false when the line held nothing to compute
    Value value = 0;         // the evaluator's value, before rounding; 0 when nothing was computed
    double total = 0;        // the sheet total after the line was written
    int currentLine = 0;     // the line that holds the caret afterwards
};

// What Enter does to the current line: tidy it (drop a leading "+", "*" or "/", a trailing
// operator and an old "=" with its result), scan the expression that ends there, evaluate it,
// round the value to the decimals, append "=" and the result, and recompute the sheet total.
// Throws CalcError; the steps done before the failing one stay done.
LineEvaluation EvaluateLine(SheetEditor &sheet, int currentLine, int decimals,
                            const RegionalSettings &regional, TokenList &tokens);

// The sum of the numbers written after the first "=" of every line. A line whose text after its
// "=" is not a number (a note such as a=b) adds nothing. Throws CalcError(Overflow) when the sum
// leaves the double range.
double calcrichedit(const QString &sheetText, const RegionalSettings &regional);

}  // namespace tallimo
