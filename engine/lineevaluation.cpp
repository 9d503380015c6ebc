// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/lineevaluation.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "engine/calcerror.h"
#include "engine/evaluator.h"
#include "engine/keywords.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"

namespace tallimo {

namespace {

bool IsOperator(QChar c)
{
    return c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('*') ||
           c == QLatin1Char('/');
}

// A leading "-" stays: the scanner reads it as a sign. Each step only takes characters away, so
// the line is read once, each step works on what the one before left, and the line is written
// back once when a step took something. The line as it stands afterwards.
QString TidyLine(Sheet &sheet, int line)
{
    const QString before = sheet.Line(line);
    QStringView text(before);
    if (!text.isEmpty() && IsOperator(text.front()) && text.front() != QLatin1Char('-'))
        text = text.mid(1);
    if (!text.isEmpty() && IsOperator(text.back()))
        text.chop(1);
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals >= 0)
        text = text.left(equals);
    if (text.size() == before.size())
        return before;
    QString after = text.toString();
    sheet.ReplaceLine(line, after);
    return after;
}

// A line the scanner made nothing of although it holds more than blanks and the command words it
// drops on purpose: a typing slip, which fails rather than passing in silence.
bool HoldsUnreadableText(const QString &line)
{
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return std::any_of(words.begin(), words.end(), [](const QString &word) {
        const QString upper = AsciiUpper(word.trimmed());
        return !upper.isEmpty() && !IsDroppedCommandWord(upper);
    });
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

// A line too long for the memory left fails on its own; the tokens' memory goes back first.
[[noreturn]] void OutOfMemory(TokenList &tokens)
{
    tokens = TokenList();
    throw CalcError(CalcError::Kind::OutOfMemory, "not enough memory for this line");
}

}  // namespace

LineEvaluation EvaluateLine(Sheet &sheet, int currentLine, int decimals,
                            const RegionalSettings &regional, TokenList &tokens)
{
    try {
        LineEvaluation outcome;
        outcome.currentLine = currentLine;
        const QString tidied = TidyLine(sheet, currentLine);
        ScanLine(tokens, sheet, regional);
        if (!tokens.isEmpty()) {
            outcome.value = EvaluateTokens(tokens, regional);
            const double result = DecimalRound(ToDouble(outcome.value), decimals);
            const NumberTextBuffer resultText = WriteNumberText(result, regional);
            outcome.currentLine = sheet.CaretLine();
            const QString expression =
                outcome.currentLine == currentLine ? tidied : sheet.Line(outcome.currentLine);
            QString written;
            written.reserve(expression.size() + 1 + resultText.length);
            written.append(expression).append(QLatin1Char('=')).append(resultText.View());
            sheet.ReplaceLine(outcome.currentLine, written);
            outcome.evaluated = true;
        } else if (HoldsUnreadableText(tidied)) {
            throw CalcError(CalcError::Kind::Syntax, "the line holds text that is no expression");
        }
        outcome.total = calcrichedit(sheet, regional);
        return outcome;
    } catch (const std::bad_alloc &) {
        OutOfMemory(tokens);
    }
}

double calcrichedit(Sheet &sheet, const RegionalSettings &regional)
{
    return sheet.Results().Total(sheet, regional);
}

}  // namespace tallimo
