// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "engine/regional.h"

namespace tallimo {

// Regional settings with a year-first short date in the given separator, "/" as yyyy/M/d (as
// zh_CN writes it) and "-" as yyyy-MM-dd, so that date tests do not depend on the machine.
inline RegionalSettings WithDateSeparator(char separator)
{
    RegionalSettings regional;
    regional.dateSeparator = QLatin1Char(separator);
    regional.shortDateFormat =
        separator == '/' ? QStringLiteral("yyyy/M/d") : QStringLiteral("yyyy-MM-dd");
    return regional;
}

}  // namespace tallimo
