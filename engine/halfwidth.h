// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QChar>
#include <QStringView>

namespace tallimo {

// How the scanner reads the character at `index` of `text`. A Chinese input method types the
// full-width forms of digits, operators, brackets and the point (１２＋３．５, （２）), "×" and
// "÷" for multiplication and division, and "。" for the point: they read as "0"-"9", "+", "-",
// "*", "/", "^", "%", "!", "(", ")", ".", "*" and "/", and "。" as "." where it stands between two
// digits. Every other character reads as it is. One character reads as one, so positions in the
// text keep their meaning.
QChar ReadAsHalfWidth(QStringView text, qsizetype index);

}  // namespace tallimo
