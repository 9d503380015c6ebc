// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "engine/regional.h"
#include "engine/scanner.h"
#include "engine/value.h"

namespace tallimo {

// π at full extended precision (mantissa C90FDAA22168C235).
inline constexpr Value Pi = 3.141592653589793238462643383279502884L;

// The text that stands for the tangent of an odd multiple of 90 degrees. It is no number, so
// any later step that reads it fails.
inline constexpr char16_t TanMarker[] = u"Tan()\u8f93\u5165\u65e0\u6548";

// Reduces a non-empty token list to one value. Bracket groups go first, innermost and rightmost
// first; each bracket-free stretch is computed by EvaluateFlat and written back as its number
// text, so every intermediate result carries 15 significant digits. A "(" without a ")" after it
// groups up to the end of the list. Throws CalcError for a malformed list (an operator without
// operand, an empty bracket pair, a stretch that does not reduce to one token, a word that is not
// a number) and for division by zero, invalid operations and overflow. Leaves one token.
Value EvaluateTokens(TokenList &tokens, const RegionalSettings &regional);

// Computes a list without "(" by one pass per operator or function, in precedence order: PI, !,
// ^, SQR, SQRT, %, INT/TRUNC, ROUND, ABS, FRAC, ARCTAN, SIN, COS, TAN, ARCSIN, ARCCOS, LN, LOG2,
// LOG10, * and /, + and -. Angles are in degrees.
Value EvaluateFlat(TokenList &tokens, const RegionalSettings &regional);

// Angle tests on a number text, taken at double precision: an odd multiple of 90, and a multiple
// of 180 (0 included). An integral value of 2^63 or more throws CalcError(InvalidOperation).
bool is90multiple(const QString &text, const RegionalSettings &regional);
bool is180multiple(const QString &text, const RegionalSettings &regional);

}  // namespace tallimo
