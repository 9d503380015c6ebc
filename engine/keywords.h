// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace tallimo {

// The 37 words and symbols that the scanner keeps and the evaluator knows, in their fixed order.
inline constexpr int KeywordCount = 37;
QStringView KeywordAt(int index);

// True when the text equals an entry exactly, letter case included.
bool IsKeyword(QStringView text);

// The entry that the text equals once upper-cased as AsciiUpper does, if any.
std::optional<QStringView> KeywordOf(QStringView text);

// The seven command words that the scanner drops from a token list.
bool IsDroppedCommandWord(QStringView upperText);

// Upper-cases the letters a to z only, as keyword comparisons expect.
QString AsciiUpper(QStringView text);

// True when the text, upper-cased as AsciiUpper does, equals the upper-case word.
bool EqualsUpper(QStringView text, QStringView upperWord);

// True for the one-character keywords, which cut a line into pieces.
bool IsSeparator(QChar c);

}  // namespace tallimo
