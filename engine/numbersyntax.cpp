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

    std::optional<Value> Convert(qsizetype exponent) const
    {
        static constexpr std::array<Value, 28> powers = {
            1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
            1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
            1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L,
        };
        const qsizetype scale = exponent - fractionDigits;
        if (!fits || scale < -27 || scale > 27)
            return std::nullopt;
        const auto value = static_cast<Value>(digits);
        return scale >= 0 ? value * powers[static_cast<size_t>(scale)]
                          : value / powers[static_cast<size_t>(-scale)];
    }
};

}  // namespace

std::optional<Value> ReadNumber(QStringView text, const RegionalSettings &regional)
{
    const QChar separator = regional.decimalSeparator;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;

    std::string c;  // the number rebuilt in the C locale's form
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        c += static_cast<char>(text[i].unicode());
        ++i;
    }

    const int mantissa = MantissaLength(text.mid(i), separator);
    if (mantissa == 0)
        return std::nullopt;
    bool anyDigit = false;
    bool afterPoint = false;
    ShortDecimal shortDecimal;
    for (qsizetype k = i; k < i + mantissa; ++k) {
        if (IsDigit(text[k])) {
            c += static_cast<char>(text[k].unicode());
            anyDigit = true;
            shortDecimal.Add(text[k].unicode() - '0', afterPoint);
        } else {
            c += '.';
            afterPoint = true;
        }
    }
    if (!anyDigit)
        c = "0";
    i += mantissa;

    qsizetype exponent = 0;

    if (i < n && (text[i] == QLatin1Char('E') || text[i] == QLatin1Char('e'))) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
            negativeExponent = text[i] == QLatin1Char('-');
            ++i;
        }
        while (i < n && IsDigit(text[i])) {
            if (exponent < ExponentClamp + n)
                exponent = exponent * 10 + (text[i].unicode() - '0');
            ++i;
        }
        if (negativeExponent)
            exponent = -exponent;
        c += 'e';
        c += std::to_string(exponent);
    }

    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    if (i != n)
        return std::nullopt;

    if (const auto value = shortDecimal.Convert(exponent))
        return negative ? -*value : *value;
    const Value value = platform::ParseCNumber(c);
    if (std::isinf(value))
        return std::nullopt;
    return value;
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

bool IsNumber(QStringView text, const RegionalSettings &regional)
{
    return ReadNumber(text, regional).has_value();
}

}  // namespace tallimo
