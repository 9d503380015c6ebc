// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/memorytexts.h"

#include <cmath>

namespace tallimo {

QString PhysicalMemoryText(quint64 totalBytes, const QLocale &locale)
{
    const quint64 kilobytes = totalBytes / 1024 + (totalBytes % 1024 >= 512 ? 1 : 0);
    // The C locale leaves out its group separator unless asked for it.
    QLocale grouping = locale;
    grouping.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouping.toString(kilobytes) + QStringLiteral(" KB");
}

QString MemoryLoadText(const MemoryFigures &figures)
{
    int percent = 0;
    if (figures.totalBytes > 0 && figures.availableBytes < figures.totalBytes) {
        const long double used = figures.totalBytes - figures.availableBytes;
        percent = static_cast<int>(std::lround(100.0L * used / figures.totalBytes));
    }
    return QStringLiteral("%1 %").arg(percent);
}

}  // namespace tallimo
