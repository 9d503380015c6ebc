// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

#include "engine/regional.h"
#include "engine/value.h"

namespace tallimo {

// The text of a value as the sheet and the evaluator write it: 15 significant digits, rounded
// half up from the exact binary value, trailing zeros dropped; plain notation for magnitudes from
// 0.0001 up to below 10^15, otherwise d.dddE-n style ("1E-5", "9.87654321098765E15").
// The value must be finite.
QString NumberText(Value value, const RegionalSettings &regional);

// The same text in a buffer of its own, for callers that compare or copy it without a string.
struct NumberTextBuffer {
    QChar text[32];  // the longest text: a sign, 15 digits, a separator and "E-4951"
    int length = 0;
    QStringView View() const { return QStringView(text, length); }
};
NumberTextBuffer WriteNumberText(Value value, const RegionalSettings &regional);

}  // namespace tallimo
