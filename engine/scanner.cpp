#include "scanner.h"

#include <algorithm>

#include "common/texthelpers.h"
#include "halfwidth.h"
#include "keywords.h"
#include "numbersyntax.h"

namespace tallimo {

namespace {

constexpr QChar LineBreak = QLatin1Char('\n');

bool IsBlank(QChar c) { return c.unicode() <= 32; }

bool IsBlank(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return IsBlank(c); });
}

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

qsizetype ExpressionStart(const QString &text, qsizetype caret)
{
    qsizetype lastBreak = -1;
    for (qsizetype i = caret - 1; i >= 0; --i) {
        const QChar c = text[i];
        if (c == QChar(StartMarker))
            return i + 1;
        if (c == LineBreak)
            lastBreak = i;
        else if (lastBreak >= 0 && c == QLatin1Char('='))
            return lastBreak + 1;
    }
    return 0;
}

bool Keep(const QString &token, const RegionalSettings &regional)
{
    const QString upper = AsciiUpper(token);
    if (IsKeyword(upper))
        return !IsDroppedCommandWord(upper);
    return IsNumber(token, regional);
}

}  // namespace

void ScanLine(TokenList &tokens, const QString &sheetText, int caretPosition,
              const RegionalSettings &regional)
{
    tokens.clear();
    const qsizetype caret = std::clamp<qsizetype>(caretPosition, 0, sheetText.size());
    qsizetype end = sheetText.indexOf(LineBreak, caret);
    if (end < 0)
        end = sheetText.size();
    const qsizetype start = ExpressionStart(sheetText, caret);

    TokenList pieces;
    QString piece;
    bool signPlace = true;  // only blanks since the start or the last "("
    for (qsizetype i = start; i < end; ++i) {
        const QChar c = ReadAsHalfWidth(sheetText, i);
        const bool isSign = c == QLatin1Char('+') || c == QLatin1Char('-');
        if (!IsSeparator(c) && c != LineBreak) {
            piece += c;
            continue;
        }
        if (isSign && i + 1 < end && IsDigit(ReadAsHalfWidth(sheetText, i + 1)) &&
            EndsInOpenExponent(piece, regional.decimalSeparator)) {
            piece += c;
            continue;
        }
        const bool blank = IsBlank(piece);
        if (isSign && signPlace && blank)
            pieces << QStringLiteral("0");
        if (!blank)
            signPlace = false;
        if (c == QLatin1Char('('))
            signPlace = true;
        else if (c != LineBreak)
            signPlace = false;
        pieces << piece << QString(c);
        piece.clear();
    }
    pieces << piece;

    for (const QString &cut : std::as_const(pieces)) {
        const QString token = TrimBlanks(cut);
        if (!token.isEmpty() && Keep(token, regional))
            tokens << token;
    }
}

}  // namespace tallimo
