// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/sheetlinebound.h"

namespace tallimo {

namespace {

struct LineScan {
    std::optional<qsizetype> overlongLine;
    qsizetype lines = 0;
};

// Goes through the lines until the first overlong one, or until more lines than `mostLines`.
LineScan ScanLines(QStringView text, qsizetype mostLines)
{
    LineScan scan;
    qsizetype start = 0;
    for (qsizetype at = 0; at <= text.size(); ++at) {
        const bool end = at == text.size() || text[at] == u'\n' || text[at] == u'\r' ||
                         text[at] == QChar::ParagraphSeparator;
        if (!end)
            continue;
        ++scan.lines;
        if (at - start > LongestSheetLine) {
            scan.overlongLine = scan.lines;
            return scan;
        }
        if (scan.lines > mostLines)
            return scan;
        if (at + 1 < text.size() && text[at] == u'\r' && text[at + 1] == u'\n')
            ++at;
        start = at + 1;
    }
    return scan;
}

}  // namespace

std::optional<qsizetype> FirstOverlongLine(QStringView text)
{
    return ScanLines(text, text.size() + 1).overlongLine;
}

QString OverlongLineMessage(qsizetype line)
{
    return QStringLiteral("第 %1 行超过 %2 个字符，算式表的一行最多只能这么长。")
        .arg(line)
        .arg(LongestSheetLine);
}

QString TooManyLinesMessage()
{
    return QStringLiteral("文本超过 %1 行，算式表最多只能容纳这么多行。").arg(MostSheetLines);
}

std::optional<QString> SheetBoundBreach(QStringView text)
{
    const LineScan scan = ScanLines(text, MostSheetLines);
    if (scan.overlongLine)
        return OverlongLineMessage(*scan.overlongLine);
    if (scan.lines > MostSheetLines)
        return TooManyLinesMessage();
    return std::nullopt;
}

}  // namespace tallimo
