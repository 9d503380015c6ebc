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
    // The page is the program's own file: a link is not followed to whatever it names.
    const QFileInfo existing(path);
    if (existing.isFile() && !existing.isSymLink())
        return path;
    if (existing.exists() || existing.isSymLink())
        throw CalcError(
            CalcError::Kind::FileAccess,
            QStringLiteral("%1 不是普通文件，无法显示万年历。").arg(path).toStdString());

    QFile page(QString::fromLatin1(CalendarPageResource));
    if (!page.open(QIODevice::ReadOnly))
        RaiseUnwritable(path, page.errorString());
    // Written whole or not at all: a half-written page would count as present from then on.
    if (const std::optional<QString> failure = ReplaceOwnFile(path, page.readAll(), writes))
        RaiseUnwritable(path, *failure);
    return path;
}

}  // namespace tallimo
