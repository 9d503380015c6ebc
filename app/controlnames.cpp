// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/controlnames.h"

#include <QHash>
#include <QObject>

namespace tallimo {

QStringList NamingFaults(const QObject &root, const QStringList &names)
{
    QHash<QString, int> carriers;
    for (const QObject *object : root.findChildren<QObject *>()) {
        if (!object->objectName().isEmpty())
            ++carriers[object->objectName()];
    }
    QStringList faults;
    for (const QString &name : names) {
        const int count = carriers.value(name);
        const QString fault = count == 0                           ? QStringLiteral(" missing")
                              : count > 1 || names.count(name) > 1 ? QStringLiteral(" doubled")
                                                                   : QString();
        if (!fault.isEmpty() && !faults.contains(name + fault))
            faults << name + fault;
    }
    return faults;
}

}  // namespace tallimo
