// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/sheetlinebound.h"

namespace tallimo {

std::optional<qsizetype> FirstOverlongLine(QStringView text)
{
    qsizetype line = 1;
    qsizetype start = 0;
    for (qsizetype at = 0; at <= text.size(); ++at) {
        const bool end = at == text.size() || text[at] == u'\n' || text[at] == u'\r' ||
                         text[at] == QChar::ParagraphSeparator;
        if (!end)
            continue;
        if (at - start > LongestSheetLine)
            return line;
        if (at + 1 < text.size() && text[at] == u'\r' && text[at + 1] == u'\n')
            ++at;
        ++line;
        start = at + 1;
    }
    return std::nullopt;
}

QString OverlongLineMessage(qsizetype line)
{
    return QStringLiteral("Line %1 is longer than %2 characters, the longest line the sheet takes.")
        .arg(line)
        .arg(LongestSheetLine);
}

}  // namespace tallimo
