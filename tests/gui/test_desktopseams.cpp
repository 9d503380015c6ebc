#include <QFile>
#include <QTest>

#include "app/desktopseams.h"
#include "app/systemmemory.h"

using namespace tallimo;

class TestDesktopSeams : public QObject {
    Q_OBJECT
private slots:
    // A seam left empty would end the program the first time a window reaches for it.
    void everySeamIsFilled()
    {
        const ProgramSeams seams = DesktopSeams();
        QVERIFY(seams.now);
        QVERIFY(seams.showMessage);
        QVERIFY(seams.chooseOpenFile);
        QVERIFY(seams.chooseSaveFile);
        QVERIFY(seams.chooseColour);
        QVERIFY(seams.openAddress);
        QVERIFY(seams.memoryFigures);
        QVERIFY(seams.makeClipPlayer);
        QVERIFY(seams.makeWaiter);
        QVERIFY(seams.settingsFolders);
        QVERIFY(seams.quit);
    }

    // The whole memory of the machine, however large, as the kernel counts it.
    void memoryFigures()
    {
        const MemoryFigures figures = SystemMemoryFigures();
        QFile meminfo(QStringLiteral("/proc/meminfo"));
        QVERIFY(meminfo.open(QIODevice::ReadOnly));
        const QByteArray first = meminfo.readLine();
        QVERIFY(first.startsWith("MemTotal:"));
        const quint64 total = first.mid(9).trimmed().split(' ').first().toULongLong() * 1024;
        QVERIFY(figures.totalBytes > 0);
        QVERIFY(qAbs(qint64(figures.totalBytes) - qint64(total)) < qint64(total / 100));
        QVERIFY(figures.availableBytes > 0);
        QVERIFY(figures.availableBytes <= figures.totalBytes);
    }
};

QTEST_MAIN(TestDesktopSeams)
#include "test_desktopseams.moc"
