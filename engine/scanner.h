// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>
#include <QStringView>

#include "engine/regional.h"

namespace tallimo {

class Sheet;

// The token list: numbers, operator symbols, brackets, function words and the command words that
// the evaluator rejects, each as the text typed.
using TokenList = QStringList;

// The start marker: an expression begins right after the last one before the caret.
inline constexpr char16_t StartMarker = u'\u2234';

// Finds the expression that the caret belongs to and cuts it into the token list. The expression
// runs to the end of the caret's line and begins after the last start marker before the caret or
// at the first line after the last earlier line holding "=", whichever comes nearer; only its own
// lines are read. An empty sheet gives an empty list. Never throws CalcError.
void ScanLine(TokenList &tokens, const Sheet &sheet, const RegionalSettings &regional);

// True when the scanner reads nothing but blanks in the text: every character is a space or a
// control character, as no full-width form reads as one of them.
bool IsBlankText(QStringView text);

// Cuts an expression (lines separated by "\n") at the one-character keywords and line breaks and
// keeps only keywords and numbers. A "+" or "-" with only blanks between it and the start of the
// expression or a "(" is a sign: a "0" token goes before it. An exponent sign ("1E-5") stays
// inside its number.
void ScanExpression(TokenList &tokens, QStringView expression, const RegionalSettings &regional);

}  // namespace tallimo
