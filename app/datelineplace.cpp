// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/datelineplace.h"

#include <QFontMetrics>
#include <QString>

#include <algorithm>

#include "common/dateline.h"

namespace tallimo {

namespace {

// The smallest font the date line is made smaller to.
constexpr int SmallestPixelSize = 8;

}  // namespace

int WidestDateLineWidth(const QFont &font)
{
    const QFontMetrics metrics(font);
    QChar widestDigit = QLatin1Char('0');
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (metrics.horizontalAdvance(QLatin1Char(digit)) > metrics.horizontalAdvance(widestDigit))
            widestDigit = QLatin1Char(digit);
    }
    // Each weekday on a date whose digits are all the widest one would give: the dates of the
    // same week differ only in their digits.
    int widest = 0;
    const QDate monday(2024, 1, 1);
    for (int day = 0; day < 7; ++day) {
        QString line = DateLineText(QDateTime(monday.addDays(day), QTime(0, 0)));
        for (QChar &character : line) {
            if (character.isDigit())
                character = widestDigit;
        }
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    // A pixel either side for the glyphs that reach past their advance.
    return widest + 2;
}

DateLinePlace PlaceDateLine(const QFont &font, int earliest, int start, int end, int height)
{
    DateLinePlace place{QRect(start, 0, end - start, height), font};
    int needed = WidestDateLineWidth(place.font);
    while (needed > end - earliest && place.font.pixelSize() > SmallestPixelSize) {
        place.font.setPixelSize(place.font.pixelSize() - 1);
        needed = WidestDateLineWidth(place.font);
    }
    if (needed > place.geometry.width())
        place.geometry.setLeft(std::max(earliest, end - needed));
    return place;
}

}  // namespace tallimo
