#include "numbersyntax.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include <QString>

#include "calcerror.h"

namespace tallimo {

namespace {

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// An exponent that exceeds the length of the text by this much only decides between 0 and
// overflow, however many digits the mantissa has.
constexpr qsizetype ExponentClamp = 100000;

// strtold follows the process's numeric locale, which the application takes from the
// environment; the rebuilt text always has a point.
locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
    return c;
}

}  // namespace

std::optional<Value> ReadNumber(QStringView text, const RegionalSettings &regional)
{
    const QChar separator = regional.decimalSeparator;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;

    std::string c;  // the number rebuilt in the C locale's form for strtold
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        c += static_cast<char>(text[i].unicode());
        ++i;
    }

    const int mantissa = MantissaLength(text.mid(i), separator);
    if (mantissa == 0)
        return std::nullopt;
    bool anyDigit = false;
    for (qsizetype k = i; k < i + mantissa; ++k) {
        if (IsDigit(text[k])) {
            c += static_cast<char>(text[k].unicode());
            anyDigit = true;
        } else {
            c += '.';
        }
    }
    if (!anyDigit)
        c = "0";
    i += mantissa;

    if (i < n && (text[i] == QLatin1Char('E') || text[i] == QLatin1Char('e'))) {
        ++i;
        bool negative = false;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
            negative = text[i] == QLatin1Char('-');
            ++i;
        }
        qsizetype exponent = 0;
        while (i < n && IsDigit(text[i])) {
            if (exponent < ExponentClamp + n)
                exponent = exponent * 10 + (text[i].unicode() - '0');
            ++i;
        }
        c += 'e';
        if (negative)
            c += '-';
        c += std::to_string(exponent);
    }

    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    if (i != n)
        return std::nullopt;

    const Value value = strtold_l(c.c_str(), nullptr, CLocale());
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
