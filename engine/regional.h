#pragma once

#include <QChar>

namespace tallimo {

// The parts of the user's regional settings that the engine reads. The window fills it from the
// system locale; tests and the command-line tool set it directly.
struct RegionalSettings {
    QChar decimalSeparator = QLatin1Char('.');
};

// The settings of the user's locale.
RegionalSettings SystemRegionalSettings();

}  // namespace tallimo
