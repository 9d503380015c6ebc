// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/dateline.h"

namespace tallimo {

namespace {

// By QDate::dayOfWeek: Monday is 1, Sunday is 7.
const char *const WeekdayNames[] = {
    "星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日",
};

}  // namespace

QString DateLineText(const QDateTime &moment)
{
    return QStringLiteral("%1 %2 %3")
        .arg(moment.date().toString(QStringLiteral("yyyy-MM-dd")),
             QString::fromUtf8(WeekdayNames[moment.date().dayOfWeek() - 1]),
             moment.time().toString(QStringLiteral("HH:mm:ss")));
}

}  // namespace tallimo
