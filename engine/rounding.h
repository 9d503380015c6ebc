// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace tallimo {

inline constexpr int MaxDecimals = 15;

// Rounds x to n decimals (0 to MaxDecimals): the quotient x / 10^-n, taken in extended precision,
// goes to the nearest integer with ties to even, and that integer times 10^-n is the result.
// A finite x too large to have a digit at that place (quotient of 2^63 or more) comes back as is.
double DecimalRound(double x, int decimals);

}  // namespace tallimo
