// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/systemmemory.h"

#include <QByteArray>
#include <QFile>

#include <unistd.h>

namespace tallimo {

namespace {

quint64 Pages(int name)
{
    const long pages = sysconf(name);
    const long pageSize = sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? quint64(pages) * quint64(pageSize) : 0;
}

// "MemAvailable:   12345678 kB" counts the page cache that can be given back, which the free
// page count leaves out; kernels before 3.14 lack the line.
quint64 AvailableFromMeminfo()
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = "MemAvailable:";
    for (QByteArray line = meminfo.readLine(); !line.isEmpty(); line = meminfo.readLine()) {
        if (!line.startsWith(key))
            continue;
        const QList<QByteArray> fields = line.mid(key.size()).simplified().split(' ');
        bool ok = false;
        const quint64 kibibytes = fields.value(0).toULongLong(&ok);
        return ok ? kibibytes * 1024 : 0;
    }
    return 0;
}

}  // namespace

MemoryFigures SystemMemoryFigures()
{
    MemoryFigures figures;
    figures.totalBytes = Pages(_SC_PHYS_PAGES);
    figures.availableBytes = AvailableFromMeminfo();
    if (figures.availableBytes == 0)
        figures.availableBytes = Pages(_SC_AVPHYS_PAGES);
    return figures;
}

}  // namespace tallimo
