// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>

class QLocale;

namespace tallimo {

// The parts of the user's regional settings that the engine and the date functions read. The
// window fills it from the system locale; tests and the command-line tool set it directly.
struct RegionalSettings {
    QChar decimalSeparator = QLatin1Char('.');
    // Dates are written year first with a four-digit year, in Qt's format notation, with the
    // separator between the parts.
    QString shortDateFormat = QStringLiteral("yyyy-MM-dd");
    QChar dateSeparator = QLatin1Char('-');
    QString longTimeFormat = QStringLiteral("HH:mm:ss");
};

// The separator of a short date format of that shape ("yyyy", "-" or "/", one or two "M", the
// same separator, one or two "d"); none for any other shape.
std::optional<QChar> YearFirstSeparator(QStringView format);

// The settings of a locale. Its short date format is taken only when it is year first with a
// four-digit year and "-" or "/" between the parts, the shape the date functions read; any
// other shape falls back to yyyy-MM-dd, so that the tools keep working whatever the locale.
RegionalSettings RegionalSettingsOf(const QLocale &locale);

// The settings of the user's locale.
RegionalSettings SystemRegionalSettings();

}  // namespace tallimo
