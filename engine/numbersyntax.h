// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringView>

#include <optional>

#include "engine/regional.h"
#include "engine/value.h"

namespace tallimo {

// The number syntax: spaces, an optional sign, a mantissa of digits with an optional decimal
// separator (at least one character; "5." is 5, ".5" is 0.5, a lone separator is 0), an optional
// exponent "E"/"e" with optional sign and digits (no digits: exponent 0), spaces. The value is the
// decimal number rounded to extended precision; one that overflows is not a number.

// Converts a text that follows the syntax; throws CalcError(Conversion) otherwise.
Value TextToValue(QStringView text, const RegionalSettings &regional);

// The value of a text that follows the syntax, nothing otherwise.
std::optional<Value> ReadNumber(QStringView text, const RegionalSettings &regional);

// True when the whole text follows the syntax. Never throws.
bool IsNumber(QStringView text, const RegionalSettings &regional);

// Length of the mantissa at the start of the text (digits, optional separator, digits), 0 when
// there is none. Shared with the scanner, which keeps exponent signs inside a number.
int MantissaLength(QStringView text, QChar decimalSeparator);

}  // namespace tallimo
