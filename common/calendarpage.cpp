#include "common/calendarpage.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "engine/calcerror.h"

namespace tallimo {

namespace {

[[noreturn]] void RaiseUnwritable(const QString &path, const QString &reason)
{
    throw CalcError(CalcError::Kind::FileAccess,
                    QStringLiteral("Unable to write to %1\n%2").arg(path, reason).toStdString());
}

}  // namespace

QString UnpackCalendarPage(const QString &folder)
{
    const QString path = folder + QLatin1String(CalendarPageFileName);
    if (QFileInfo::exists(path))
        return path;

    QFile page(QString::fromLatin1(CalendarPageResource));
    if (!page.open(QIODevice::ReadOnly))
        RaiseUnwritable(path, page.errorString());
    // Written whole or not at all: a half-written page would count as present from then on.
    QSaveFile target(path);
    if (!target.open(QIODevice::WriteOnly) || target.write(page.readAll()) != page.size() ||
        !target.commit())
        RaiseUnwritable(path, target.errorString());
    return path;
}

}  // namespace tallimo
