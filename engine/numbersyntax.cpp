// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/numbersyntax.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include <QString>

#include "engine/calcerror.h"
#include "engine/platform.h"

namespace tallimo {

namespace {

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// An exponent that exceeds the length of the text by this much only decides between 0 and
// overflow, however many digits the mantissa has.
constexpr qsizetype ExponentClamp = 100000;

// A number of at most 19 significant digits whose decimal exponent is within 27 of them converts
// with one correctly rounded multiplication or division of two exact extended values: 10^27 still
// fits the 64-bit mantissa. Everything else goes through the C library.
struct ShortDecimal {
    std::uint64_t digits = 0;
    int significant = 0;
    int fractionDigits = 0;
    bool fits = true;

    void Add(int digit, bool afterPoint)
    {
        if (digits == 0 && digit == 0) {
            fractionDigits += afterPoint;
            return;
        }
        if (significant == 19) {
            fits = false;
            return;
        }
        digits = digits * 10 + static_cast<std::uint64_t>(digit);
        ++significant;
        fractionDigits += afterPoint;
    }

    bool Fits(qsizetype exponent) const
    {
        const qsizetype scale = exponent - fractionDigits;
        return fits && scale >= -27 && scale <= 27;
    }

    std::optional<Value> Convert(qsizetype exponent) const
    {
        static constexpr std::array<Value, 28> powers = {
            1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
            1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
            1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L,
        };
        if (!Fits(exponent))
            return std::nullopt;
        const qsizetype scale = exponent - fractionDigits;
        const auto value = static_cast<Value>(digits);
        return scale >= 0 ? value * powers[static_cast<size_t>(scale)]
                          : value / powers[static_cast<size_t>(-scale)];
    }
};

// A text that follows the number syntax, taken apart.
struct NumberParts {
    bool negative = false;
    bool hasSign = false;
    const char16_t *signAt = nullptr;
    const char16_t *mantissaAt = nullptr;
    const char16_t *mantissaEnd = nullptr;
    bool anyDigit = false;
    ShortDecimal shortDecimal;
    bool hasExponent = false;
    qsizetype exponent = 0;
};

std::optional<NumberParts> Parse(QStringView text, const RegionalSettings &regional)
{
    NumberParts parts;
    const char16_t separator = regional.decimalSeparator.unicode();
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    const auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    while (p != end && *p == u' ')
        ++p;

    parts.signAt = p;
    parts.hasSign = p != end && (*p == u'+' || *p == u'-');
    parts.negative = parts.hasSign && *p == u'-';
    p += parts.hasSign;

    // The mantissa: digits, and a separator with digits after it.
    parts.mantissaAt = p;
    for (; p != end && isDigit(*p); ++p) {
        parts.anyDigit = true;
        parts.shortDecimal.Add(*p - u'0', false);
    }
    if (p != end && *p == separator) {
        for (++p; p != end && isDigit(*p); ++p) {
            parts.anyDigit = true;
            parts.shortDecimal.Add(*p - u'0', true);
        }
    }
    if (p == parts.mantissaAt)
        return std::nullopt;
    parts.mantissaEnd = p;

    qsizetype &exponent = parts.exponent;
    parts.hasExponent = p != end && (*p == u'E' || *p == u'e');
    if (parts.hasExponent) {
        ++p;
        bool negativeExponent = false;
        if (p != end && (*p == u'+' || *p == u'-')) {
            negativeExponent = *p == u'-';
            ++p;
        }
        for (; p != end && isDigit(*p); ++p) {
            if (exponent < ExponentClamp + text.size())
                exponent = exponent * 10 + (*p - u'0');
        }
        if (negativeExponent)
            exponent = -exponent;
    }

    while (p != end && *p == u' ')
        ++p;
    if (p != end)
        return std::nullopt;
    return parts;
}

std::optional<Value> Convert(const NumberParts &parts)
{
    const auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    if (const auto value = parts.shortDecimal.Convert(parts.exponent))
        return parts.negative ? -*value : *value;

    // The number rebuilt in the C locale's form; a mantissa without digits reads as "0".
    std::string c;
    if (!parts.anyDigit) {
        c = "0";
    } else {
        if (parts.hasSign)
            c += static_cast<char>(*parts.signAt);
        for (const char16_t *k = parts.mantissaAt; k != parts.mantissaEnd; ++k)
            c += isDigit(*k) ? static_cast<char>(*k) : '.';
    }
    if (parts.hasExponent) {
        c += 'e';
        c += std::to_string(parts.exponent);
    }
    const Value value = platform::ParseCNumber(c);
    if (std::isinf(value))
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<Value> ReadNumber(QStringView text, const RegionalSettings &regional)
{
    const auto parts = Parse(text, regional);
    return parts ? Convert(*parts) : std::nullopt;
}

int MantissaLength(QStringView text, QChar decimalSeparator)
{
    qsizetype i = 0;
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    if (i < text.size() && text[i] == decimalSeparator) {
        ++i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
    }
    return static_cast<int>(i);
}

Value TextToValue(QStringView text, const RegionalSettings &regional)
{
    if (const auto value = ReadNumber(text, regional))
        return *value;
    throw CalcError(CalcError::Kind::Conversion,
                    "'" + text.toString().toStdString() + "' is not a valid number");
}

// A short decimal never overflows, so its value need not be taken to know it is a number.
bool IsNumber(QStringView text, const RegionalSettings &regional)
{
    const auto parts = Parse(text, regional);
    return parts && (parts->shortDecimal.Fits(parts->exponent) || Convert(*parts).has_value());
}

}  // namespace tallimo
