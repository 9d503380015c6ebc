// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/calendarpage.h"

#include <QFile>
#include <QFileInfo>

#include "common/filereplace.h"
#include "engine/calcerror.h"

namespace tallimo {

namespace {

[[noreturn]] void RaiseUnwritable(const QString &path, const QString &reason)
{
    throw CalcError(CalcError::Kind::FileAccess,
                    QStringLiteral("Unable to write to %1\n%2").arg(path, reason).toStdString());
}

}  // namespace

QString UnpackCalendarPage(const QString &folder, const FileWrites &writes)
{
    const QString path = folder + QLatin1String(CalendarPageFileName);
    const QFileInfo existing(path);
    if (existing.isFile())
        return path;
    if (existing.exists() || existing.isSymLink())
        throw CalcError(CalcError::Kind::FileAccess,
                        QStringLiteral("%1 is not a regular file, so the calendar cannot be shown.")
                            .arg(path)
                            .toStdString());

    QFile page(QString::fromLatin1(CalendarPageResource));
    if (!page.open(QIODevice::ReadOnly))
        RaiseUnwritable(path, page.errorString());
    // Written whole or not at all: a half-written page would count as present from then on.
    if (const std::optional<QString> failure = ReplaceFile(path, page.readAll(), writes))
        RaiseUnwritable(path, *failure);
    return path;
}

}  // namespace tallimo
