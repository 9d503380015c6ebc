// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/regional.h"
#include "engine/scanner.h"
#include "engine/sheet.h"
#include "engine/sheetresults.h"
#include "engine/value.h"

namespace tallimo {

struct LineEvaluation {
    bool evaluated = false;  // false when the line held nothing to compute
    Value value = 0;         // the evaluator's value, before rounding; 0 when nothing was computed
    double total = 0;        // the sheet total after the line was written
    int currentLine = 0;     // the line that holds the caret afterwards
};

// What Enter does to the current line: tidy it (drop a leading "+", "*" or "/", a trailing
// operator and an old "=" with its result), scan the expression that ends there, evaluate it,
// round the value to the decimals, append "=" and the result, and take the sheet total. A line
// that gives the scanner nothing although it holds more than blanks and the command words the
// scanner drops ("abc", a note) fails. Reads only the lines of the expression and the lines
// changed since the last total. Throws CalcError, also when memory runs out; the steps done
// before the failing one stay done.
LineEvaluation EvaluateLine(Sheet &sheet, int currentLine, int decimals,
                            const RegionalSettings &regional, TokenList &tokens);

// The sum of the numbers written after the first "=" of every line. A line whose text after its
// "=" is not a number (a note such as a=b) adds nothing. Throws CalcError(Overflow) when the sum
// leaves the double range.
double calcrichedit(Sheet &sheet, const RegionalSettings &regional);

}  // namespace tallimo
