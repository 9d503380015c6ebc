// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/numerals.h"

#include <QStringView>

#include <cmath>
#include <string>

#include "engine/calcerror.h"
#include "engine/numbersyntax.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"

namespace tallimo {

namespace {

constexpr QChar ZeroWord = u'零';
constexpr QChar OneWord = u'壹';
constexpr QChar TenWord = u'拾';
constexpr QChar TenThousandWord = u'万';
constexpr QChar HundredMillionWord = u'亿';
constexpr QChar PointWord = u'点';
constexpr QChar YuanWord = u'元';
constexpr QChar JiaoWord = u'角';
constexpr QChar FenWord = u'分';
constexpr char16_t DigitWords[] = u"零壹贰叁肆伍陆柒捌玖";
constexpr char16_t PlaceWords[] = u"拾佰千";  // at every place but the units, 万 and 亿

// The thousands of 万亿 is the highest place with a word.
constexpr int MostIntegerDigits = 16;
constexpr double FirstUnwritable = 1e16;
// The smallest extended value has fewer fraction digits than this; a longer fraction comes from
// no value and would only build a huge text.
constexpr int MostFractionDigits = 5000;

QChar DigitWord(QChar digit) { return QChar(DigitWords[digit.unicode() - u'0']); }

bool EndsWith(const QString &text, QChar c) { return !text.isEmpty() && text.back() == c; }

void DropLast(QString &text, QChar c)
{
    if (EndsWith(text, c))
        text.chop(1);
}

// A run of zeros is written as one 零.
void AppendDigit(QString &text, QChar digit)
{
    if (digit != u'0')
        text += DigitWord(digit);
    else if (!EndsWith(text, ZeroWord))
        text += ZeroWord;
}

[[noreturn]] void ThrowNotANumber(QStringView text)
{
    throw CalcError(CalcError::Kind::Conversion,
                    "'" + text.toString().toStdString() + "' is not a valid number");
}

[[noreturn]] void ThrowUnwritable(const QString &number)
{
    throw CalcError(CalcError::Kind::Unwritable,
                    "'" + number.toStdString() + "' cannot be written in uppercase numerals");
}

// Integer digits without leading zeros ("0" for zero), place words after them, a trailing 零
// dropped. A 1 at the 拾万 place is written 拾 alone; 万 and 亿 stand even after zero digits,
// except a 万 whose four digits are zero right below 亿, which becomes one 零.
QString IntegerWords(QStringView digits)
{
    QString text;
    const qsizetype count = digits.size();
    for (qsizetype i = 0; i < count; ++i) {
        const QChar digit = digits[i];
        const bool zero = digit == u'0';
        const qsizetype place = count - i;
        AppendDigit(text, digit);
        switch (place) {
        case 1:
            DropLast(text, ZeroWord);
            break;
        case 5:
        case 13:
            if (zero) {
                DropLast(text, ZeroWord);
                text += EndsWith(text, HundredMillionWord) ? ZeroWord : TenThousandWord;
            } else {
                text += TenThousandWord;
            }
            break;
        case 6:
            if (!zero) {
                DropLast(text, OneWord);
                text += TenWord;
            }
            break;
        case 9:
            DropLast(text, ZeroWord);
            text += HundredMillionWord;
            break;
        default:
            if (!zero)
                text += QChar(PlaceWords[(place - 2) % 4]);
        }
    }
    return text;
}

// A number text split at its point, the exponent applied: "1.5E-7" gives "" and "00000015".
struct PlainDigits {
    QString integer;  // without leading zeros
    QString fraction;
};

int ReadExponent(QStringView text, QStringView numberText)
{
    if (text.isEmpty())
        return 0;
    if (text.front() != u'E' && text.front() != u'e')
        ThrowNotANumber(numberText);
    text = text.mid(1);
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    int exponent = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            ThrowNotANumber(numberText);
        if (exponent <= MostFractionDigits)  // beyond it only the refusal below matters
            exponent = exponent * 10 + (c.unicode() - u'0');
    }
    return negative ? -exponent : exponent;
}

// Nothing when the number has more integer or fraction digits than the words can hold.
std::optional<PlainDigits> ExpandNumberText(QStringView text, QChar separator)
{
    const int mantissaLength = MantissaLength(text, separator);
    if (mantissaLength == 0)
        ThrowNotANumber(text);
    const QStringView mantissa = text.left(mantissaLength);
    const int exponent = ReadExponent(text.mid(mantissaLength), text);

    const qsizetype separatorAt = mantissa.indexOf(separator);
    QString digits = mantissa.toString();
    if (separatorAt >= 0)
        digits.remove(separatorAt, 1);
    qsizetype leadingZeros = 0;
    while (leadingZeros < digits.size() && digits[leadingZeros] == u'0')
        ++leadingZeros;

    // Digits before the point, counted from the first digit of the mantissa.
    const qsizetype point = (separatorAt >= 0 ? separatorAt : digits.size()) + exponent;
    if (point - leadingZeros > MostIntegerDigits && leadingZeros < digits.size())
        return std::nullopt;
    if (digits.size() - point > MostFractionDigits)
        return std::nullopt;

    PlainDigits plain;
    if (point <= 0) {
        plain.fraction = QString(-point, u'0') + digits;
    } else if (point >= digits.size()) {
        if (leadingZeros < digits.size())
            plain.integer = digits.mid(leadingZeros) + QString(point - digits.size(), u'0');
    } else {
        plain.integer = digits.left(point).mid(leadingZeros);
        plain.fraction = digits.mid(point);
    }
    return plain;
}

}  // namespace

std::optional<QString> TryNumberToUppercase(QStringView numberText,
                                            const RegionalSettings &regional)
{
    const std::optional<PlainDigits> expanded =
        ExpandNumberText(numberText, regional.decimalSeparator);
    if (!expanded)
        return std::nullopt;
    const PlainDigits &plain = *expanded;
    QString text = IntegerWords(plain.integer.isEmpty() ? QStringLiteral("0") : plain.integer);
    if (!plain.fraction.isEmpty()) {
        text += PointWord;
        for (const QChar digit : plain.fraction)
            text += DigitWord(digit);
    }
    return text;
}

QString NumberToUppercase(const QString &numberText, const RegionalSettings &regional)
{
    std::optional<QString> text = TryNumberToUppercase(numberText, regional);
    if (!text)
        ThrowUnwritable(numberText);
    return *std::move(text);
}

std::optional<QString> TryAmountToUppercase(double value, const RegionalSettings &regional)
{
    const double magnitude = std::fabs(value);
    if (!(magnitude < FirstUnwritable))
        return std::nullopt;
    double yuan = std::trunc(magnitude);
    double fraction = DecimalRound(magnitude - yuan, 2);
    if (fraction == 1) {
        yuan += 1;
        fraction = 0;
    }

    QString text = IntegerWords(QString::number(static_cast<qint64>(yuan)));
    text += YuanWord;
    if (fraction == 0)
        return text;
    // The number text of a fraction of two decimals is "0", the separator and one or two digits.
    const QString digits = NumberText(fraction, regional).mid(2);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        AppendDigit(text, digits[i]);
        if (digits[i] != u'0')
            text += i == 0 ? JiaoWord : FenWord;
    }
    return text;
}

QString AmountToUppercase(double value, const RegionalSettings &regional)
{
    std::optional<QString> text = TryAmountToUppercase(value, regional);
    if (!text)
        ThrowUnwritable(QString::number(value));
    return *std::move(text);
}

}  // namespace tallimo
