// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "engine/regional.h"
#include "engine/value.h"

namespace tallimo {

// The texts of the result bar after an evaluation. The line's value is rounded to the decimals
// setting, or to two decimals in money mode, and so is the total; each is written as uppercase
// numerals or as a money amount, with "负" when it is below 0 after rounding. A number too large
// for uppercase numerals is shown as its number text instead.
struct ResultBarTexts {
    QString lineNumberText;  // the rounded value as the sheet writes it; fast reading reads it
    QString lineText;        // Edit4
    // The line text is the line number text, not uppercase: read it digit by digit, as fast
    // reading does, even when fast reading is off.
    bool lineTextIsNumberText = false;
    QString totalNumberText;  // Edit5
    QString totalText;        // Edit2
};

// Throws CalcError when the line's value or the total leaves the double range, as the result
// bar's texts do.
void CheckResultBarRange(Value value, double total);

// Throws CalcError when the value leaves the double range.
ResultBarTexts MakeResultBarTexts(Value value, double total, int decimals, bool money,
                                  const RegionalSettings &regional);

}  // namespace tallimo
