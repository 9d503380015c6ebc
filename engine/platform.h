// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The pieces of the engine that lean on the compiler or the C library, each one checked when the
// build is configured (engine/platform.cmake). A port to another toolchain looks here and at the
// extended type in value.h.

#include <cstdint>
#include <optional>
#include <string>

#include "engine/value.h"

namespace tallimo::platform {

// The value of a number written in the C locale's form ("-12.5e3", a point as the separator),
// rounded to extended precision whatever the process's locale is; infinite when it overflows.
Value ParseCNumber(const std::string &text);

// The first `count` decimal digits of a positive finite value, cut rather than rounded, written
// to `digits` (count + 1 chars with the terminating NUL); returns the decimal exponent of the
// first digit.
int TruncatedDigits(Value magnitude, int count, char *digits);

// (mantissa x 5^powerOfFive) >> shift, for powerOfFive up to 27 and shift from 1 to 127, saturated
// at the largest 64-bit value. Nothing where the compiler has no 128-bit integer; the caller then
// takes TruncatedDigits instead.
std::optional<std::uint64_t> ScaledMantissa(std::uint64_t mantissa, int powerOfFive, int shift);

// A positive normal value as mantissa x 2^(exponent - 64), the mantissa's top bit set, read from
// the bits of the x87 format (as frexp and a scaling by 2^64 would give it, without their library
// calls); nothing for zero, subnormal and non-finite values.
struct ExtendedParts {
    std::uint64_t mantissa;
    int exponent;
};
std::optional<ExtendedParts> SplitExtended(Value value);

}  // namespace tallimo::platform
