#include "resultbar.h"

#include <cmath>

#include "engine/calcerror.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"
#include "numerals.h"

namespace tallimo {

namespace {

constexpr int MoneyDecimals = 2;

struct UppercaseText {
    QString text;
    bool isNumberText = false;
};

UppercaseText WriteUppercase(double rounded, bool money, const RegionalSettings &regional)
{
    try {
        const double magnitude = std::fabs(rounded);
        QString text = money ? AmountToUppercase(magnitude, regional)
                             : NumberToUppercase(NumberText(magnitude, regional), regional);
        if (rounded < 0)
            text.prepend(u'负');
        return {text, false};
    } catch (const CalcError &error) {
        if (error.kind() != CalcError::Kind::Unwritable)
            throw;
        return {NumberText(rounded, regional), true};
    }
}

}  // namespace

ResultBarTexts MakeResultBarTexts(Value value, double total, int decimals, bool money,
                                  const RegionalSettings &regional)
{
    const double lineValue = static_cast<double>(value);
    if (!std::isfinite(lineValue) || !std::isfinite(total))
        throw CalcError(CalcError::Kind::Overflow, "the result is out of range");
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
