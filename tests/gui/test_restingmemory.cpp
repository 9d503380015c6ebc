// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/restingmemory.h"

using namespace tallimo;

namespace {

// The resident kilobytes of the mapping at `address`, as the kernel counts them.
long ResidentKilobytes(const void *address)
{
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly))
        return -1;
    const auto wanted = reinterpret_cast<quintptr>(address);
    bool inside = false;
    for (const QByteArray &line : smaps.readAll().split('\n')) {
        const qsizetype dash = line.indexOf('-');
        const qsizetype space = line.indexOf(' ');
        // A mapping's first line starts with its range; the lines of its figures with a key.
        if (dash > 0 && space > dash && !line.left(space).endsWith(':')) {
            bool read = false;
            const quintptr start = line.left(dash).toULongLong(&read, 16);
            const quintptr end = line.mid(dash + 1, space - dash - 1).toULongLong(nullptr, 16);
            inside = read && start <= wanted && wanted < end;
        } else if (inside && line.startsWith("Rss:")) {
            return line.mid(4).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

}  // namespace

class TestRestingMemory : public QObject {
    Q_OBJECT
private slots:
    // A mapped font file leaves the resident set and reads back unchanged; another mapped file
    // stays as it is.
    void fontFilePagesLeaveAndComeBackUnchanged()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QByteArray content(256 * 1024, '\0');
        for (qsizetype i = 0; i < content.size(); ++i)
            content[i] = char(i * 7 % 251);
        QFile font(folder.filePath(QStringLiteral("sample.TTF")));
        QFile other(folder.filePath(QStringLiteral("sample.dat")));
        for (QFile *file : {&font, &other}) {
            QVERIFY(file->open(QIODevice::WriteOnly));
            QCOMPARE(file->write(content), content.size());
            file->close();
            // Mapped for reading only, as the font engine maps a font file.
            QVERIFY(file->open(QIODevice::ReadOnly));
        }
        const uchar *fontPages = font.map(0, content.size());
        const uchar *otherPages = other.map(0, content.size());
        QVERIFY(fontPages && otherPages);
        QCOMPARE(QByteArray::fromRawData(reinterpret_cast<const char *>(fontPages), content.size()),
                 content);
        QCOMPARE(
            QByteArray::fromRawData(reinterpret_cast<const char *>(otherPages), content.size()),
            content);
        QVERIFY(ResidentKilobytes(fontPages) >= 256);

        HandBackStartMemory();

        QCOMPARE(ResidentKilobytes(fontPages), 0);
        QVERIFY(ResidentKilobytes(otherPages) >= 256);
        QCOMPARE(QByteArray::fromRawData(reinterpret_cast<const char *>(fontPages), content.size()),
                 content);
    }
};

QTEST_GUILESS_MAIN(TestRestingMemory)
#include "test_restingmemory.moc"
