// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>

namespace tallimo {

// Reads the lines of a pipe or terminal as they come, each cut and decoded as a sheet file's
// lines are (line ends CR LF, LF or a lone CR; UTF-8, or GB18030 for a line that is not valid
// UTF-8), and hands each on as soon as its end arrives. `waiting` is called whenever the next
// read would wait for more input, so that the answers so far can be flushed. An end of input
// after the last line adds no empty line; an input without any byte is one empty line.
// Throws CalcError with the system's reason when the input cannot be read.
void ReadStreamedLines(int descriptor, const std::function<void()> &waiting,
                       const std::function<void(const QString &line)> &take);

}  // namespace tallimo
