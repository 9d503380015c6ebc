// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QRect>

namespace tallimo {

// Where the toolbar's date line sits and in what font, so that the whole line shows whatever
// font stands in for the window font. The line starts at `start` when its widest form fits
// between there and `end`; a wider font takes room from the gap before it (never further left
// than `earliest`), and a font too wide even for that is made smaller until the line fits.
struct DateLinePlace {
    QRect geometry;
    QFont font;
};
DateLinePlace PlaceDateLine(const QFont &font, int earliest, int start, int end, int height);

// The width, in the font, of the widest text the date line can show.
int WidestDateLineWidth(const QFont &font);

}  // namespace tallimo
