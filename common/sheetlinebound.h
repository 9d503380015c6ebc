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

// The number, from 1, of the first line of the text longer than LongestSheetLine, or nothing.
// Lines end at a line feed, a carriage return, both in that order, or a paragraph separator.
std::optional<qsizetype> FirstOverlongLine(QStringView text);

// What the window says about such a line; `line` counts from 1.
QString OverlongLineMessage(qsizetype line);

}  // namespace tallimo
