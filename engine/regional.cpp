// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/regional.h"

#include <QLocale>
#include <QRegularExpression>

namespace tallimo {

RegionalSettings RegionalSettingsOf(const QLocale &locale)
{
    RegionalSettings regional;
    const QString point = locale.decimalPoint();
    if (point.size() == 1)
        regional.decimalSeparator = point.front();

    static const QRegularExpression yearFirst(QStringLiteral("^yyyy([-/])M{1,2}\\1d{1,2}$"));
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    const QRegularExpressionMatch match = yearFirst.match(format);
    if (match.hasMatch()) {
        regional.shortDateFormat = format;
        regional.dateSeparator = match.capturedView(1).front();
    }
    return regional;
}

RegionalSettings SystemRegionalSettings() { return RegionalSettingsOf(QLocale::system()); }

}  // namespace tallimo
