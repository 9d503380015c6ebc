// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/resultbar.h"

#include <cmath>

#include "common/numerals.h"
#include "engine/calcerror.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"

namespace tallimo {

namespace {

constexpr int MoneyDecimals = 2;

struct UppercaseText {
    QString text;
    bool isNumberText = false;
};

UppercaseText WriteUppercase(double rounded, bool money, const RegionalSettings &regional)
{
    const double magnitude = std::fabs(rounded);
    std::optional<QString> text = money
                                      ? TryAmountToUppercase(magnitude, regional)
                                      : TryNumberToUppercase(NumberText(magnitude, regional), regional);
    if (!text)
        return {NumberText(rounded, regional), true};
    if (rounded < 0)
        text->prepend(u'负');
    return {*std::move(text), false};
}

}  // namespace

void CheckResultBarRange(Value value, double total)
{
    if (!std::isfinite(static_cast<double>(value)) || !std::isfinite(total))
        throw CalcError(CalcError::Kind::Overflow, "the result is out of range");
}

ResultBarTexts MakeResultBarTexts(Value value, double total, int decimals, bool money,
                                  const RegionalSettings &regional)
{
    CheckResultBarRange(value, total);
    const double lineValue = static_cast<double>(value);
    const int places = money ? MoneyDecimals : decimals;
    const double line = DecimalRound(lineValue, places);
    const double roundedTotal = DecimalRound(total, places);

    ResultBarTexts texts;
    texts.lineNumberText = NumberText(line, regional);
    const UppercaseText lineText = WriteUppercase(line, money, regional);
    texts.lineText = lineText.text;
    texts.lineTextIsNumberText = lineText.isNumberText;
    texts.totalNumberText = NumberText(roundedTotal, regional);
    texts.totalText = WriteUppercase(roundedTotal, money, regional).text;
    return texts;
}

}  // namespace tallimo
