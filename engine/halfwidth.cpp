// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/halfwidth.h"

namespace tallimo {

namespace {

QChar Folded(QChar c)
{
    switch (c.unicode()) {
    case u'×':
        return QLatin1Char('*');
    case u'÷':
        return QLatin1Char('/');
    case u'０':
    case u'１':
    case u'２':
    case u'３':
    case u'４':
    case u'５':
    case u'６':
    case u'７':
    case u'８':
    case u'９':
    case u'＋':
    case u'－':
    case u'＊':
    case u'／':
    case u'＾':
    case u'％':
    case u'！':
    case u'（':
    case u'）':
    case u'．':
        // The full-width block mirrors ASCII from "!" on.
        return QChar(c.unicode() - (u'！' - u'!'));
    default:
        return c;
    }
}

bool IsDigitAt(QStringView text, qsizetype index)
{
    if (index < 0 || index >= text.size())
        return false;
    const QChar c = Folded(text[index]);
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

}  // namespace

QChar ReadAsHalfWidth(QStringView text, qsizetype index)
{
    const QChar c = text[index];
    if (c == u'。')
        return IsDigitAt(text, index - 1) && IsDigitAt(text, index + 1) ? QLatin1Char('.') : c;
    return Folded(c);
}

}  // namespace tallimo
