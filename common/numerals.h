// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

#include <optional>

#include "engine/regional.h"

namespace tallimo {

// Chinese uppercase numerals. Both functions write a non-negative number: the caller puts "负"
// in front of the text of a negative value. Places are written up to the thousands of 万亿, so an
// integer part of 10^16 or more cannot be written and raises CalcError(Unwritable).

// Writes a number text (plain or scientific, with the regional decimal separator) in digit and
// place words, every fraction digit after 点: "1.005" gives 壹点零零伍, "0" the empty text.
// Raises CalcError(Conversion) for a text that is not such a number, a sign included.
QString NumberToUppercase(const QString &numberText, const RegionalSettings &regional);

// Writes a money amount in 元, 角 and 分, the fraction rounded to two decimals (ties to even) and
// carried into the 元 when it rounds up to a whole one. The sign of the value is dropped; the text
// always holds 元.
QString AmountToUppercase(double value, const RegionalSettings &regional);

// The same texts, with nothing for a number that cannot be written, for callers to whom such a
// number is an ordinary outcome.
std::optional<QString> TryNumberToUppercase(QStringView numberText,
                                            const RegionalSettings &regional);
std::optional<QString> TryAmountToUppercase(double value, const RegionalSettings &regional);

}  // namespace tallimo
