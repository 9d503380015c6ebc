// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/restingmemory.h"

#include <QByteArray>
#include <QFile>

#include <malloc.h>
#include <sys/mman.h>

#include <algorithm>
#include <array>

namespace tallimo {

namespace {

bool IsFontFile(QByteArrayView path)
{
    static constexpr std::array<const char *, 6> suffixes{".ttf", ".ttc", ".otf",
                                                          ".otc", ".pfb", ".pcf"};
    if (path.size() < 4)
        return false;
    const QByteArray end = path.last(4).toByteArray().toLower();
    return std::any_of(suffixes.begin(), suffixes.end(),
                       [&end](const char *suffix) { return end == suffix; });
}

// A line of the maps file: "start-end perms offset device inode path". The mapping is only read,
// so the pages it gives up come back from the file unchanged when they are read again. The path
// is looked at first: of the hundreds of mappings, a few are fonts.
void HandBackFontPages()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return;
    const QByteArray text = maps.readAll();
    for (qsizetype start = 0; start < text.size();) {
        qsizetype stop = text.indexOf('\n', start);
        if (stop < 0)
            stop = text.size();
        const QByteArrayView line = QByteArrayView(text).sliced(start, stop - start);
        start = stop + 1;
        const qsizetype dash = line.indexOf('-');
        const qsizetype space = line.indexOf(' ');
        if (!IsFontFile(line) || dash <= 0 || space <= dash || line.size() < space + 4 ||
            line.sliced(space + 1, 3) != "r--")
            continue;
        bool startRead = false;
        bool endRead = false;
        const quintptr from = line.first(dash).toByteArray().toULongLong(&startRead, 16);
        const quintptr to =
            line.sliced(dash + 1, space - dash - 1).toByteArray().toULongLong(&endRead, 16);
        if (startRead && endRead && to > from)
            madvise(reinterpret_cast<void *>(from), to - from, MADV_DONTNEED);
    }
}

}  // namespace

void HandBackStartMemory()
{
    HandBackFontPages();
    malloc_trim(0);
}

}  // namespace tallimo
