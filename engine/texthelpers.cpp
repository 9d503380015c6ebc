// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/texthelpers.h"

namespace tallimo {

QString TrimBlanks(const QString &text) { return TrimBlanks(QStringView(text)).toString(); }

QStringView TrimBlanks(QStringView text)
{
    const auto blank = [](QChar c) { return c.unicode() <= 32; };
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && blank(text[first]))
        ++first;
    while (last > first && blank(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}

}  // namespace tallimo
