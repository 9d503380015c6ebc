#pragma once

#include <QString>
#include <QStringList>

#include "regional.h"

namespace tallimo {

// The token list: numbers, operator symbols, brackets, function words and the command words that
// the evaluator rejects, each as the text typed.
using TokenList = QStringList;

// The start marker: an expression begins right after the last one before the caret.
inline constexpr char16_t StartMarker = u'\u2234';

// Finds the expression that the caret belongs to in the sheet text (lines separated by "\n";
// caretPosition counts the characters before the caret), cuts it at the one-character keywords
// and line breaks, and keeps only keywords and numbers. The expression runs to the end of the
// caret's line and begins after the last start marker before the caret or at the first line after
// the last earlier line holding "=", whichever comes nearer. A "+" or "-" with only blanks between
// it and the start of the expression or a "(" is a sign: a "0" token goes before it. An exponent
// sign ("1E-5") stays inside its number. An empty sheet gives an empty list. Never throws.
void ScanLine(TokenList &tokens, const QString &sheetText, int caretPosition,
              const RegionalSettings &regional);

}  // namespace tallimo
