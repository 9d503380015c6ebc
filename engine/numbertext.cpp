// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/numbertext.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "engine/platform.h"

namespace tallimo {

namespace {

constexpr int SignificantDigits = 15;

// The first SignificantDigits + 1 decimal digits of |value|, truncated (not rounded), as an
// integer from 10^15 to below 10^16, and the decimal exponent of the first one.
struct Digits {
    std::uint64_t leading;
    int exponent;
};

constexpr std::uint64_t TenTo15 = 1000000000000000ULL;

Digits PrintedDigits(Value magnitude)
{
    char digits[SignificantDigits + 2];
    const int exponent = platform::TruncatedDigits(magnitude, SignificantDigits + 1, digits);
    std::uint64_t leading = 0;
    for (int k = 0; k <= SignificantDigits; ++k)
        leading = leading * 10 + static_cast<std::uint64_t>(digits[k] - '0');
    return {leading, exponent};
}

// floor(power x log10(2)), exact for powers from -1100 to 1100, by integer arithmetic: the
// x87 floor switches the rounding mode, which costs more than the rest of a number text. A
// magnitude in [2^(b-1), 2^b) has this for b - 1 as its decimal exponent, or one more.
int FloorLog10OfPowerOfTwo(int power)
{
    constexpr int Scale = 262144;  // 2^18; 78913 / 2^18 is log10(2) within 8E-7
    const int scaled = power * 78913;
    return scaled >= 0 ? scaled / Scale : -((-scaled + Scale - 1) / Scale);
}

// The same digits by integer arithmetic for magnitudes from 1E-12 up to below 1E16, where
// |value| x 10^(15 - exponent) = mantissa x 5^p x 2^shift fits in 128 bits: about a tenth of
// the cost of printing.
std::optional<Digits> ComputedDigits(Value magnitude)
{
    constexpr int MaxPowerOfFive = 27;  // 5^27 < 2^63, so mantissa x 5^p < 2^127
    const auto parts = platform::SplitExtended(magnitude);
    if (!parts)
        return std::nullopt;
    const auto [mantissa, binaryExponent] = *parts;
    int exponent = FloorLog10OfPowerOfTwo(binaryExponent - 1);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int power = SignificantDigits - exponent;
        if (power < 0 || power > MaxPowerOfFive)
            return std::nullopt;
        const int shift = binaryExponent - 64 + power;  // always negative in this range
        if (shift >= 0 || shift <= -128)
            return std::nullopt;
        const auto leading = platform::ScaledMantissa(mantissa, power, -shift);
        if (!leading)
            return std::nullopt;
        if (*leading >= TenTo15 * 10)
            ++exponent;
        else if (*leading < TenTo15)
            --exponent;
        else
            return Digits{*leading, exponent};
    }
    return std::nullopt;
}

Digits TruncatedDigits(Value magnitude)
{
    if (const auto digits = ComputedDigits(magnitude))
        return *digits;
    return PrintedDigits(magnitude);
}

}  // namespace

QString NumberText(Value value, const RegionalSettings &regional)
{
    if (value == 0)
        return QStringLiteral("0");
    const NumberTextBuffer text = WriteNumberText(value, regional);
    return QString(text.text, text.length);
}

NumberTextBuffer WriteNumberText(Value value, const RegionalSettings &regional)
{
    NumberTextBuffer result;
    QChar *const text = result.text;
    int &length = result.length;
    if (value == 0) {
        text[length++] = QLatin1Char('0');
        return result;
    }

    const Digits d = TruncatedDigits(std::fabs(value));
    // Round half up at the fifteenth digit; a carry out of the first digit shifts the exponent.
    int exponent = d.exponent + 1;  // value = 0.d1d2... x 10^exponent
    std::uint64_t rounded = (d.leading + 5) / 10;
    if (rounded == TenTo15) {
        rounded /= 10;
        ++exponent;
    }
    int count = SignificantDigits;
    while (count > 1 && rounded % 10 == 0) {
        rounded /= 10;
        --count;
    }
    char digits[SignificantDigits];
    for (int k = count - 1; k >= 0; --k) {
        digits[k] = static_cast<char>('0' + rounded % 10);
        rounded /= 10;
    }
    const auto put = [&](char c) { text[length++] = QLatin1Char(c); };
    const auto putDigits = [&](int from, int to) {
        for (int k = from; k < to; ++k)
            put(digits[k]);
    };
    if (value < 0)
        put('-');
    if (exponent >= -3 && exponent <= 15) {
        if (exponent <= 0) {
            put('0');
            text[length++] = regional.decimalSeparator;
            for (int k = exponent; k < 0; ++k)
                put('0');
            putDigits(0, count);
        } else if (count <= exponent) {
            putDigits(0, count);
            for (int k = count; k < exponent; ++k)
                put('0');
        } else {
            putDigits(0, exponent);
            text[length++] = regional.decimalSeparator;
            putDigits(exponent, count);
        }
    } else {
        putDigits(0, 1);
        if (count > 1) {
            text[length++] = regional.decimalSeparator;
            putDigits(1, count);
        }
        put('E');
        char power[8];
        const int written = std::snprintf(power, sizeof power, "%d", exponent - 1);
        for (int k = 0; k < written; ++k)
            put(power[k]);
    }
    return result;
}

}  // namespace tallimo
