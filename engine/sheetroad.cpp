#include "sheetroad.h"

#include <cmath>

#include "calcerror.h"
#include "common/texthelpers.h"
#include "evaluator.h"
#include "numbersyntax.h"
#include "numbertext.h"
#include "rounding.h"

namespace tallimo {

namespace {

bool IsOperator(QChar c)
{
    return c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('*') ||
           c == QLatin1Char('/');
}

void Rewrite(SheetEditor &sheet, int line, const QString &before, const QString &after)
{
    if (after != before)
        sheet.ReplaceLine(line, after);
}

// A leading "-" stays: the scanner reads it as a sign.
void TidyLine(SheetEditor &sheet, int line)
{
    QString text = sheet.Line(line);
    if (!text.isEmpty() && IsOperator(text.front()) && text.front() != QLatin1Char('-'))
        Rewrite(sheet, line, text, text.mid(1));

    text = sheet.Line(line);
    if (!text.isEmpty() && IsOperator(RightChars(text, 1).front()))
        Rewrite(sheet, line, text, text.chopped(1));

    text = sheet.Line(line);
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals >= 0)
        Rewrite(sheet, line, text, text.left(equals));
}

// Values a little above the largest double round down to it; only those that round beyond it
// overflow.
double ToDouble(Value value)
{
    const double result = static_cast<double>(value);
    if (std::isinf(result))
        throw CalcError(CalcError::Kind::Overflow, "the result is out of range");
    return result;
}

}  // namespace

LineEvaluation EvaluateLine(SheetEditor &sheet, int currentLine, int decimals,
                            const RegionalSettings &regional, TokenList &tokens)
{
    LineEvaluation outcome;
    outcome.currentLine = currentLine;
    TidyLine(sheet, currentLine);
    ScanLine(tokens, sheet.Text(), sheet.CaretPosition(), regional);
    if (!tokens.isEmpty()) {
        outcome.value = EvaluateTokens(tokens, regional);
        const double result = DecimalRound(ToDouble(outcome.value), decimals);
        const QString resultText = NumberText(result, regional);
        outcome.currentLine = sheet.CaretLine();
        sheet.ReplaceLine(outcome.currentLine,
                          sheet.Line(outcome.currentLine) + QLatin1Char('=') + resultText);
        outcome.evaluated = true;
    }
    outcome.total = calcrichedit(sheet.Text(), regional);
    return outcome;
}

double calcrichedit(const QString &sheetText, const RegionalSettings &regional)
{
    double total = 0;
    const QStringView text(sheetText);
    qsizetype lineStart = 0;
    while (lineStart <= text.size()) {
        qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), lineStart);
        if (lineEnd < 0)
            lineEnd = text.size();
        const QStringView line = text.mid(lineStart, lineEnd - lineStart);
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals >= 0) {
            QStringView result = line.mid(equals + 1);
            const qsizetype cr = result.indexOf(QLatin1Char('\r'));
            if (cr >= 0)
                result = result.left(cr);
            if (const auto value = ReadNumber(result, regional)) {
                total = static_cast<double>(total + *value);
                if (!std::isfinite(total))
                    throw CalcError(CalcError::Kind::Overflow, "the sheet total is out of range");
            }
        }
        lineStart = lineEnd + 1;
    }
    return total;
}

}  // namespace tallimo
