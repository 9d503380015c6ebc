// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/datecalculation.h"

#include "common/dates.h"
#include "engine/texthelpers.h"

namespace tallimo {

namespace {

qint32 FieldNumber(const QString &text)
{
    return TrimBlanks(text).isEmpty() ? 0 : TextToInteger(text);
}

QString SpanText(SpanUnit unit, qint64 a, qint64 b)
{
    return QString::number(DateTimeSpan(unit, a, b));
}

}  // namespace

DateCalculationResult CalculateDates(const DateCalculationInput &input,
                                     const RegionalSettings &regional)
{
    const qint32 days = FieldNumber(input.days);
    const qint32 hours = FieldNumber(input.hours);
    const qint32 minutes = FieldNumber(input.minutes);

    // Each step is worked out in extended precision and kept as a double, as the value is stored.
    using Extended = long double;
    double sum = DateTimePairValue(input.startDate, input.startTime, regional);
    sum = static_cast<double>(Extended(sum) + days);
    sum = static_cast<double>((Extended(sum) * 24 + hours) / 24);
    sum = static_cast<double>((Extended(sum) * 1440 + minutes) / 1440);

    DateCalculationResult result;
    result.sum = DateTimeText(sum, regional);
    const qint64 a = DateTimePairSeconds(input.firstDate, input.firstTime, regional);
    const qint64 b = DateTimePairSeconds(input.secondDate, input.secondTime, regional);
    result.days = SpanText(SpanUnit::Days, a, b);
    result.hours = SpanText(SpanUnit::Hours, a, b);
    result.minutes = SpanText(SpanUnit::Minutes, a, b);
    result.seconds = SpanText(SpanUnit::Seconds, a, b);
    return result;
}

}  // namespace tallimo
