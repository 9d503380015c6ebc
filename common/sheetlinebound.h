// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace tallimo {

// The longest line the sheet window takes, in UTF-16 code units: the window lays a line of this
// length out and evaluates it well within a second, where a line of megabytes holds it up for
// minutes. Imports and pastes that would make a longer line are refused. The command-line tool
// has no window to lay out and keeps its own, larger limit.
inline constexpr qsizetype LongestSheetLine = 64 * 1024;

// The most lines the sheet window takes from a file. Every line of the sheet costs the window
// about 200 bytes besides its text; at this count an import takes some 250 MB and a few seconds,
// where 16 million short lines took 8 GB and minutes.
inline constexpr qsizetype MostSheetLines = 1000 * 1000;

// The number, from 1, of the first line of the text longer than LongestSheetLine, or nothing.
// Lines end at a line feed, a carriage return, both in that order, or a paragraph separator.
std::optional<qsizetype> FirstOverlongLine(QStringView text);

// What the window says about such a line; `line` counts from 1.
QString OverlongLineMessage(qsizetype line);

// What the window says about a text of more lines than MostSheetLines.
QString TooManyLinesMessage();

// What the window says about a text that a sheet cannot take whole: one with a line longer than
// LongestSheetLine or more lines than MostSheetLines (lines end as above). Nothing when the
// sheet takes it.
std::optional<QString> SheetBoundBreach(QStringView text);

}  // namespace tallimo
