// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/regional.h"

#include <QLocale>

namespace tallimo {

// Read by hand: a regular expression would load its library into the window at start for this
// one look.
std::optional<QChar> YearFirstSeparator(QStringView format)
{
    if (format.size() < 8 || !format.startsWith(u"yyyy"))
        return std::nullopt;
    const QChar separator = format[4];
    if (separator != u'-' && separator != u'/')
        return std::nullopt;
    qsizetype at = 5;
    const auto run = [&](QChar letter) {
        const qsizetype from = at;
        while (at < format.size() && format[at] == letter)
            ++at;
        return at - from;
    };
    const qsizetype months = run(u'M');
    if (months < 1 || months > 2 || at == format.size() || format[at] != separator)
        return std::nullopt;
    ++at;
    const qsizetype days = run(u'd');
    if (days < 1 || days > 2 || at != format.size())
        return std::nullopt;
    return separator;
}

RegionalSettings RegionalSettingsOf(const QLocale &locale)
{
    RegionalSettings regional;
    const QString point = locale.decimalPoint();
    if (point.size() == 1)
        regional.decimalSeparator = point.front();

    const QString format = locale.dateFormat(QLocale::ShortFormat);
    if (const std::optional<QChar> separator = YearFirstSeparator(format)) {
        regional.shortDateFormat = format;
        regional.dateSeparator = *separator;
    }
    return regional;
}

RegionalSettings SystemRegionalSettings() { return RegionalSettingsOf(QLocale::system()); }

}  // namespace tallimo
