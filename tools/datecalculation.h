// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The tools window's Calculate, without the window: a start date-time plus days, hours and
// minutes, and the distance between two date-times in days, hours, minutes and seconds.

#include <QDate>
#include <QString>
#include <QTime>

#include "engine/regional.h"

namespace tallimo {

struct DateCalculationInput {
    // The texts of the days, hours and minutes fields, as typed or pasted.
    QString days;
    QString hours;
    QString minutes;
    QDate startDate;
    QTime startTime;
    QDate firstDate;
    QTime firstTime;
    QDate secondDate;
    QTime secondTime;
};

struct DateCalculationResult {
    QString sum;
    QString days;
    QString hours;
    QString minutes;
    QString seconds;
};

// A blank field counts 0; any other text must be a 32-bit integer. Throws CalcError on a field
// that is not, or on a sum outside the years 1 to 9999, before any result exists.
DateCalculationResult CalculateDates(const DateCalculationInput &input,
                                     const RegionalSettings &regional);

}  // namespace tallimo
