// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/dates.h"

#include <QStringList>

#include <cmath>
#include <limits>

#include "engine/calcerror.h"

namespace tallimo {

namespace {

constexpr qint64 SecondsPerDay = 24 * 60 * 60;
constexpr qint64 MillisecondsPerDay = SecondsPerDay * 1000;
// Far beyond every date a calendar holds, and well within the integers a double keeps exactly.
constexpr double FarthestDay = 1e12;

qint64 JulianDayOfZero()
{
    static const qint64 zero = QDate(1899, 12, 30).toJulianDay();
    return zero;
}

[[noreturn]] void ThrowNotADate(const QString &text)
{
    throw CalcError(CalcError::Kind::Conversion,
                    "'" + text.toStdString() + "' is not a valid date");
}

[[noreturn]] void ThrowNotAnInteger(const QString &text)
{
    throw CalcError(CalcError::Kind::Conversion,
                    "'" + text.toStdString() + "' is not a valid integer value");
}

// The separator the date functions write and read: "-" when the regional format uses it,
// otherwise "/".
QChar DateSeparator(const RegionalSettings &regional)
{
    return regional.dateSeparator == QLatin1Char('-') ? QLatin1Char('-') : QLatin1Char('/');
}

bool AreDigits(QStringView text, qsizetype fewest, qsizetype most)
{
    if (text.size() < fewest || text.size() > most)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Year, month and day in this order between two separators: a four-digit year, a month and a
// day of one or two digits.
std::optional<QDate> ReadYearFirstDate(const QString &text, QChar separator)
{
    const QStringList parts = text.split(separator);
    if (parts.size() != 3 || !AreDigits(parts[0], 4, 4) || !AreDigits(parts[1], 1, 2) ||
        !AreDigits(parts[2], 1, 2))
        return std::nullopt;
    const QDate date(parts[0].toInt(), parts[1].toInt(), parts[2].toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

// The whole days of the value and the milliseconds of its time of day, the milliseconds rounded
// and carried into the days at midnight.
std::pair<qint64, qint64> SplitValue(double value)
{
    const double day = std::floor(value);
    qint64 days = static_cast<qint64>(day);
    qint64 milliseconds = std::llround((value - day) * MillisecondsPerDay);
    if (milliseconds == MillisecondsPerDay) {
        ++days;
        milliseconds = 0;
    }
    return {days, milliseconds};
}

}  // namespace

double DateTimeToValue(QDate date, QTime time)
{
    return static_cast<double>(date.toJulianDay() - JulianDayOfZero()) +
           static_cast<double>(time.msecsSinceStartOfDay()) / MillisecondsPerDay;
}

QDate DateOfValue(double value)
{
    if (!(std::fabs(value) < FarthestDay))
        return {};
    return QDate::fromJulianDay(JulianDayOfZero() + SplitValue(value).first);
}

QTime TimeOfValue(double value)
{
    if (!(std::fabs(value) < FarthestDay))
        return {};
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(SplitValue(value).second));
}

QString DateTimeText(double value, const RegionalSettings &regional)
{
    const QDate date = DateOfValue(value);
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        throw CalcError(CalcError::Kind::Overflow, "日期超出公元 1 年至 9999 年的范围");
    QString text = date.toString(regional.shortDateFormat);
    const QTime time = TimeOfValue(value);
    if (time.hour() != 0 || time.minute() != 0 || time.second() != 0)
        text += QLatin1Char(' ') + time.toString(regional.longTimeFormat);
    return text;
}

qint32 TextToInteger(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        ThrowNotAnInteger(text);
    constexpr qint64 Limit = qint64(std::numeric_limits<qint32>::max()) + 1;
    qint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            ThrowNotAnInteger(text);
        magnitude = magnitude * 10 + (c.unicode() - '0');
        if (magnitude > Limit)
            ThrowNotAnInteger(text);
    }
    if (!negative && magnitude == Limit)
        ThrowNotAnInteger(text);
    return static_cast<qint32>(negative ? -magnitude : magnitude);
}

int DaysInMonthOf(double value) { return DateOfValue(value).daysInMonth(); }

int MonthLength(const QString &year, const QString &month, const RegionalSettings &regional)
{
    const QChar separator = DateSeparator(regional);
    const QString text = year + separator + month + separator + QStringLiteral("01");
    const std::optional<QDate> first = ReadYearFirstDate(text, separator);
    if (!first)
        ThrowNotADate(text);
    return DaysInMonthOf(DateTimeToValue(*first, QTime(0, 0)));
}

namespace {

// The text with either separator written as the regional one.
QString WithRegionalSeparator(QString text, QChar separator)
{
    return text.replace(separator == QLatin1Char('-') ? QLatin1Char('/') : QLatin1Char('-'),
                        separator);
}

}  // namespace

std::optional<QDate> ReadDateText(const QString &text, const RegionalSettings &regional)
{
    const QChar separator = DateSeparator(regional);
    return ReadYearFirstDate(WithRegionalSeparator(text, separator), separator);
}

double DateTextToDate(const QString &text, const RegionalSettings &regional)
{
    // The four year digits and one separator come first; month and day are cut at the first
    // separator after them, whichever of the two the text uses.
    const QChar cutAt = text.contains(QLatin1Char('-')) ? QLatin1Char('-') : QLatin1Char('/');
    const QString rest = text.mid(5);
    const qsizetype cut = rest.indexOf(cutAt);
    const QString month = cut < 0 ? QString() : rest.left(cut);
    const QString day = rest.mid(cut + 1);
    const QString year = text.left(4);

    QString dateText = text;
    const int length = MonthLength(year, month, regional);
    if (length < TextToInteger(day))
        dateText = year + QLatin1Char('-') + month + QLatin1Char('-') + QString::number(length);

    const std::optional<QDate> date = ReadDateText(dateText, regional);
    if (!date)
        ThrowNotADate(WithRegionalSeparator(dateText, DateSeparator(regional)));
    return DateTimeToValue(*date, QTime(0, 0));
}

qint64 DateTimeSpan(SpanUnit unit, qint64 a, qint64 b)
{
    const qint64 seconds = a < b ? b - a : a - b;
    qint64 perUnit = 1;
    switch (unit) {
    case SpanUnit::Days:
        perUnit = SecondsPerDay;
        break;
    case SpanUnit::Hours:
        perUnit = 60 * 60;
        break;
    case SpanUnit::Minutes:
        perUnit = 60;
        break;
    case SpanUnit::Seconds:
        break;
    case SpanUnit::Milliseconds:
        return seconds * 1000;
    }
    // Nearest whole unit, an exact half to the even neighbour.
    qint64 whole = seconds / perUnit;
    const qint64 twiceRest = seconds % perUnit * 2;
    if (twiceRest > perUnit || (twiceRest == perUnit && whole % 2 != 0))
        ++whole;
    return whole;
}

namespace {

// The date through its text in the short date format, and the time of day as far as the long
// time format shows it.
std::pair<double, QTime> PairAsShown(QDate date, QTime time, const RegionalSettings &regional)
{
    QString dateText = date.toString(regional.shortDateFormat);
    const qsizetype blank = dateText.indexOf(QLatin1Char(' '));
    if (blank >= 0)
        dateText.truncate(blank);
    const QTime shown =
        QTime::fromString(time.toString(regional.longTimeFormat), regional.longTimeFormat);
    return {DateTextToDate(dateText, regional), shown};
}

}  // namespace

double DateTimePairValue(QDate date, QTime time, const RegionalSettings &regional)
{
    const auto [day, shown] = PairAsShown(date, time, regional);
    return day + static_cast<double>(shown.msecsSinceStartOfDay()) / MillisecondsPerDay;
}

qint64 DateTimePairSeconds(QDate date, QTime time, const RegionalSettings &regional)
{
    const auto [day, shown] = PairAsShown(date, time, regional);
    return static_cast<qint64>(day) * SecondsPerDay + shown.msecsSinceStartOfDay() / 1000;
}

}  // namespace tallimo
