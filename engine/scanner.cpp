// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/scanner.h"

#include <algorithm>

#include "engine/halfwidth.h"
#include "engine/keywords.h"
#include "engine/numbersyntax.h"
#include "engine/sheet.h"
#include "engine/texthelpers.h"

namespace tallimo {

namespace {

constexpr QChar LineBreak = QLatin1Char('\n');

bool IsBlank(QChar c) { return c.unicode() <= 32; }

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// "1E", " 2.5e", ".5E": a mantissa followed directly by the exponent letter, so that a "+" or "-"
// after it belongs to the number.
bool EndsInOpenExponent(QStringView piece, QChar separator)
{
    qsizetype i = 0;
    while (i < piece.size() && IsBlank(piece[i]))
        ++i;
    const QStringView rest = piece.mid(i);
    const int mantissa = MantissaLength(rest, separator);
    return mantissa > 0 && rest.size() == mantissa + 1 &&
           (rest[mantissa] == QLatin1Char('E') || rest[mantissa] == QLatin1Char('e'));
}

bool Keep(QStringView token, const RegionalSettings &regional)
{
    // No keyword begins with a digit.
    if (IsDigit(token.front()))
        return IsNumber(token, regional);
    if (const auto keyword = KeywordOf(token))
        return !IsDroppedCommandWord(*keyword);
    return IsNumber(token, regional);
}

// One-character tokens (operators, brackets, single digits) share static text, so a long line of
// them costs the list's slots and no allocation per token.
QString TokenText(QStringView token)
{
    static const char16_t printable[] =
        u"!\"#$%&'()*+,-./"
        u"0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";
    const char16_t c = token.size() == 1 ? token.front().unicode() : 0;
    if (c > u' ' && c < u'\x7f')
        return QString::fromRawData(reinterpret_cast<const QChar *>(printable + (c - u'!')), 1);
    return token.toString();
}

// Where the expression that ends on the caret's line begins: a line and a column.
std::pair<int, qsizetype> ExpressionStart(const Sheet &sheet, int caretLine,
                                          const QString &caretText, int caretColumn)
{
    const qsizetype marker = QStringView(caretText).left(caretColumn).lastIndexOf(StartMarker);
    if (marker >= 0)
        return {caretLine, marker + 1};
    for (int line = caretLine - 1; line >= 0; --line) {
        const QString text = sheet.Line(line);
        const qsizetype lastMarker = text.lastIndexOf(QChar(StartMarker));
        const qsizetype lastEquals = text.lastIndexOf(QLatin1Char('='));
        if (lastMarker > lastEquals)
            return {line, lastMarker + 1};
        if (lastEquals >= 0)
            return {line + 1, 0};
    }
    return {0, 0};
}

}  // namespace

void ScanLine(TokenList &tokens, const Sheet &sheet, const RegionalSettings &regional)
{
    tokens.clear();
    if (sheet.LineCount() == 0)
        return;
    const int caretLine = std::clamp(sheet.CaretLine(), 0, sheet.LineCount() - 1);
    const QString caretText = sheet.Line(caretLine);
    const auto caretColumn =
        static_cast<int>(std::clamp<qsizetype>(sheet.CaretColumn(), 0, caretText.size()));
    const auto [startLine, startColumn] = ExpressionStart(sheet, caretLine, caretText, caretColumn);
    if (startLine == caretLine) {
        ScanExpression(tokens, QStringView(caretText).mid(startColumn), regional);
        return;
    }
    QString expression = sheet.Line(startLine).mid(startColumn);
    for (int line = startLine + 1; line < caretLine; ++line)
        expression += LineBreak + sheet.Line(line);
    expression += LineBreak + caretText;
    ScanExpression(tokens, expression, regional);
}

bool IsBlankText(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return IsBlank(c); });
}

void ScanExpression(TokenList &tokens, QStringView typed, const RegionalSettings &regional)
{
    tokens.clear();
    // A Chinese input method types full-width forms; they are read as their half-width twins, one
    // character for one, before the cut, since the pieces are views into the text read.
    QString halfWidth;
    QStringView expression = typed;
    if (std::any_of(typed.begin(), typed.end(), [](QChar c) { return c.unicode() >= 0x80; })) {
        halfWidth.resize(typed.size());
        for (qsizetype i = 0; i < typed.size(); ++i)
            halfWidth[i] = ReadAsHalfWidth(typed, i);
        expression = halfWidth;
    }
    static const QString zero = QStringLiteral("0");
    const auto keep = [&](QStringView piece) {
        const QStringView token = TrimBlanks(piece);
        if (!token.isEmpty() && Keep(token, regional))
            tokens << TokenText(token);
    };
    qsizetype pieceStart = 0;
    bool signPlace = true;  // only blanks since the start or the last "("
    const qsizetype end = expression.size();
    for (qsizetype i = 0; i < end; ++i) {
        const QChar c = expression[i];
        if (!IsSeparator(c) && c != LineBreak)
            continue;
        const QStringView piece = expression.mid(pieceStart, i - pieceStart);
        const bool isSign = c == QLatin1Char('+') || c == QLatin1Char('-');
        if (isSign && i + 1 < end && IsDigit(expression[i + 1]) &&
            EndsInOpenExponent(piece, regional.decimalSeparator))
            continue;  // the sign stays in the piece
        const bool blank = IsBlankText(piece);
        if (isSign && signPlace && blank)
            tokens << zero;
        if (!blank)
            signPlace = false;
        if (c == QLatin1Char('('))
            signPlace = true;
        else if (c != LineBreak)
            signPlace = false;
        keep(piece);
        if (c != LineBreak)
            tokens << TokenText(expression.mid(i, 1));
        pieceStart = i + 1;
    }
    keep(expression.mid(pieceStart));
}

}  // namespace tallimo
