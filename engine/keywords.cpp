// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/keywords.h"

#include <array>

namespace tallimo {

namespace {

const std::array<QStringView, KeywordCount> keywordTable = {
    u"+",      u"-",          u"*",         u"/",      u"^",     u"!",      u"SQR",     u"SQRT",
    u"%",      u"ABS",        u"INT",       u"TRUNC",  u"FRAC",  u"ARCTAN", u"COS",     u"LN",
    u"PI",     u"SIN",        u"TAN",       u"ROUND",  u"LOG2",  u"LOG10",  u"SETFONT", u"BKCOLOR",
    u"ARCSIN", u"ARCCOS",     u"BACKCOLOR", u"CLEAR",  u"CLOSE", u"QUIT",   u"EXIT",    u"(",
    u")",      u"FULLSCREEN", u"FULLSCR",   u"REVERT", u"REV",
};

}  // namespace

QStringView KeywordAt(int index) { return keywordTable.at(static_cast<size_t>(index)); }

bool IsKeyword(QStringView text)
{
    for (QStringView keyword : keywordTable) {
        if (keyword == text)
            return true;
    }
    return false;
}

std::optional<QStringView> KeywordOf(QStringView text)
{
    // Numbers are the most common pieces; no keyword begins with a digit.
    if (text.isEmpty() || (text.front() >= QLatin1Char('0') && text.front() <= QLatin1Char('9')))
        return std::nullopt;
    for (QStringView keyword : keywordTable) {
        if (EqualsUpper(text, keyword))
            return keyword;
    }
    return std::nullopt;
}

bool IsDroppedCommandWord(QStringView upperText)
{
    static const std::array<QStringView, 7> dropped = {
        u"SETFONT", u"BKCOLOR", u"BACKCOLOR", u"FULLSCREEN", u"FULLSCR", u"REV", u"REVERT",
    };
    for (QStringView word : dropped) {
        if (word == upperText)
            return true;
    }
    return false;
}

namespace {

QChar ToAsciiUpper(QChar c)
{
    return c >= QLatin1Char('a') && c <= QLatin1Char('z') ? QChar(c.unicode() - 'a' + 'A') : c;
}

}  // namespace

QString AsciiUpper(QStringView text)
{
    QString upper = text.toString();
    for (QChar &c : upper)
        c = ToAsciiUpper(c);
    return upper;
}

bool EqualsUpper(QStringView text, QStringView upperWord)
{
    if (text.size() != upperWord.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (ToAsciiUpper(text[i]) != upperWord[i])
            return false;
    }
    return true;
}

bool IsSeparator(QChar c)
{
    switch (c.unicode()) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '^':
    case '!':
    case '%':
    case '(':
    case ')':
        return true;
    default:
        return false;
    }
}

}  // namespace tallimo
