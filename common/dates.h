// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The date functions of the tools: the shared date-time value, month lengths, the reading of a
// year-first date text and the distance between two date-times. Conversion failures throw
// CalcError(Conversion) with the texts "'%s' is not a valid integer value" and
// "'%s' is not a valid date".

#include <QDate>
#include <QString>
#include <QTime>
#include <QtGlobal>

#include <optional>

#include "engine/regional.h"

namespace tallimo {

// The date-time value: days since 1899-12-30 00:00, the time of day as the fraction. Days
// before that one count on the same line (-0.25 is 1899-12-29 18:00), so adding hours or
// minutes is plain arithmetic on either side of it.
double DateTimeToValue(QDate date, QTime time);
// The value's date and its time of day rounded to the millisecond. An invalid date when the
// value lies beyond the calendar.
QDate DateOfValue(double value);
QTime TimeOfValue(double value);

// The value written as a date in the short date format, one blank and the time in the long time
// format; a time of day of 00:00:00 (milliseconds aside) is left out. Throws CalcError when the
// value lies outside the years 1 to 9999.
QString DateTimeText(double value, const RegionalSettings &regional);

// A decimal integer with an optional sign and leading blanks, nothing after its digits, within
// 32 bits; throws "'%s' is not a valid integer value" with the whole text otherwise.
qint32 TextToInteger(const QString &text);

// The number of days (28 to 31) of the month in which the value lies.
int DaysInMonthOf(double value);

// The number of days of a month, given as texts; throws "'%s' is not a valid date" when year,
// separator, month and "01" make no date.
int MonthLength(const QString &year, const QString &month, const RegionalSettings &regional);

// A year-first date text with a four-digit year, "-" or "/" between the parts whatever the
// regional separator ("2013-1-4", "2013/01/04"), as the value of that day at 00:00:00. A day
// beyond the month's end is taken as its last day (2013-2-30 is 28 February 2013).
double DateTextToDate(const QString &text, const RegionalSettings &regional);

// The same text read as it stands: no date when the day lies beyond the month's end or the
// text is no date.
std::optional<QDate> ReadDateText(const QString &text, const RegionalSettings &regional);

enum class SpanUnit { Days, Hours, Minutes, Seconds, Milliseconds };

// The distance between two date-times given in whole seconds, in the unit, rounded to a whole
// number with an exact half to the even neighbour. Each unit is rounded on its own, so the
// results of different units are not a breakdown of one another.
qint64 DateTimeSpan(SpanUnit unit, qint64 a, qint64 b);

// The value of a date picker and a time field as the tools read them: the date through its text
// in the short date format, the time of day as far as the long time format shows it.
double DateTimePairValue(QDate date, QTime time, const RegionalSettings &regional);

// The same date-time in whole seconds from 1899-12-30 00:00:00.
qint64 DateTimePairSeconds(QDate date, QTime time, const RegionalSettings &regional);

}  // namespace tallimo
