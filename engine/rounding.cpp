// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/rounding.h"

#include <array>
#include <cmath>

#include "engine/value.h"

namespace tallimo {

double DecimalRound(double x, int decimals)
{
    static constexpr std::array<double, MaxDecimals + 1> steps = {
        1e0,  1e-1, 1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,
        1e-8, 1e-9, 1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15,
    };
    const double step = steps.at(static_cast<size_t>(decimals));
    const Value quotient = static_cast<Value>(x) / step;
    constexpr Value limit = 9223372036854775808.0L;  // 2^63
    if (!(std::fabs(quotient) < limit))
        return x;
    const long long whole = std::llrint(quotient);  // the default mode: nearest, ties to even
    return static_cast<double>(static_cast<Value>(whole) * step);
}

}  // namespace tallimo
