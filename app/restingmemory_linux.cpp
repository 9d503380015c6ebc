// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/restingmemory.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <malloc.h>
#include <sys/mman.h>

#include <array>

namespace tallimo {

namespace {

bool IsFontFile(const QByteArray &path)
{
    static constexpr std::array<const char *, 6> suffixes{".ttf", ".ttc", ".otf",
                                                          ".otc", ".pfb", ".pcf"};
    const QByteArray lower = path.toLower();
    for (const char *suffix : suffixes) {
        if (lower.endsWith(suffix))
            return true;
    }
    return false;
}

// A line of the maps file: "start-end perms offset device inode path". The mapping is only read,
// so the pages it gives up come back from the file unchanged when they are read again.
void HandBackFontPages()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const qsizetype pathStart = line.indexOf('/');
        const QList<QByteArray> fields = line.left(pathStart).simplified().split(' ');
        if (pathStart < 0 || fields.size() < 2 || fields[1].size() < 3 || fields[1][0] != 'r' ||
            fields[1][1] != '-' || fields[1][2] != '-' || !IsFontFile(line.mid(pathStart)))
            continue;
        const QList<QByteArray> range = fields[0].split('-');
        bool startRead = false;
        bool endRead = false;
        const quintptr start = range.value(0).toULongLong(&startRead, 16);
        const quintptr end = range.value(1).toULongLong(&endRead, 16);
        if (startRead && endRead && end > start)
            madvise(reinterpret_cast<void *>(start), end - start, MADV_DONTNEED);
    }
}

}  // namespace

void HandBackStartMemory()
{
    HandBackFontPages();
    malloc_trim(0);
}

}  // namespace tallimo
