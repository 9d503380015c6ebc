#include "numbertext.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tallimo {

namespace {

constexpr int SignificantDigits = 15;

// Decimal digits of |value| truncated (not rounded) to SignificantDigits + 1 digits, and the
// decimal exponent of the first one. glibc's printf converts exactly and honours the rounding
// mode, so rounding toward zero yields the exact leading digits.
struct Digits {
    char digits[SignificantDigits + 2];
    int exponent;
};

Digits TruncatedDigits(Value magnitude)
{
    const int savedMode = std::fegetround();
    std::fesetround(FE_TOWARDZERO);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", SignificantDigits, magnitude);
    std::fesetround(savedMode);

    // buffer: d.ddddddddddddddde[+-]x
    Digits result{};
    int k = 0;
    for (const char *p = buffer; *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')  // the decimal point is the locale's, not always "."
            result.digits[k++] = *p;
    }
    result.digits[k] = '\0';
    result.exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    return result;
}

}  // namespace

QString NumberText(Value value, const RegionalSettings &regional)
{
    if (value == 0)
        return QStringLiteral("0");

    Digits d = TruncatedDigits(std::fabs(value));
    // Round half up at the fifteenth digit; a carry out of the first digit shifts the exponent.
    int exponent = d.exponent + 1;  // value = 0.d1d2... x 10^exponent
    if (d.digits[SignificantDigits] >= '5') {
        int k = SignificantDigits - 1;
        while (k >= 0 && d.digits[k] == '9')
            d.digits[k--] = '0';
        if (k >= 0) {
            ++d.digits[k];
        } else {
            d.digits[0] = '1';
            ++exponent;
        }
    }
    int count = SignificantDigits;
    while (count > 1 && d.digits[count - 1] == '0')
        --count;
    const QString digits = QString::fromLatin1(d.digits, count);

    QString text;
    if (value < 0)
        text += QLatin1Char('-');
    if (exponent >= -3 && exponent <= 15) {
        if (exponent <= 0) {
            text += QLatin1Char('0');
            text += regional.decimalSeparator;
            text += QString(-exponent, QLatin1Char('0'));
            text += digits;
        } else if (count <= exponent) {
            text += digits;
            text += QString(exponent - count, QLatin1Char('0'));
        } else {
            text += digits.left(exponent);
            text += regional.decimalSeparator;
            text += digits.mid(exponent);
        }
    } else {
        text += digits[0];
        if (count > 1) {
            text += regional.decimalSeparator;
            text += digits.mid(1);
        }
        text += QLatin1Char('E');
        text += QString::number(exponent - 1);
    }
    return text;
}

}  // namespace tallimo
