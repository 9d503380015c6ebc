// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

#include "tests/gui/formtesting.h"

using namespace tallimo;

// The calendar button of the main window. No web module lies beside the test program, so the
// page opens through the system's browser, where the test sees the address.
class TestCalendarCommand : public QObject {
    Q_OBJECT

    QString dataFolder;

private slots:
    void initTestCase()
    {
        SetUpWindowTests();
        QStandardPaths::setTestModeEnabled(true);
        dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    }
    void init()
    {
        QDir(dataFolder).removeRecursively();
        QFile::remove(dataFolder);
    }
    void cleanupTestCase() { init(); }

    void calendarButtonUnpacksAndOpensThePage()
    {
        FormUnderTest window;
        QTest::mouseClick(Control<QToolButton>(*window.form, "SpeedButton43"), Qt::LeftButton);
        const QString page = dataFolder + "/jpwnl.html";
        QCOMPARE(window.world.openedAddresses, QList<QUrl>({QUrl::fromLocalFile(page)}));
        QFile unpacked(page);
        QVERIFY(unpacked.open(QIODevice::ReadOnly));
        QVERIFY(unpacked.readAll().contains("calendarDays"));
        QVERIFY(window.world.messages.isEmpty());
    }

    void unwritableDataFolderIsReportedAndOpensNothing()
    {
        QDir().mkpath(QFileInfo(dataFolder).path());
        QFile(dataFolder).open(QIODevice::WriteOnly);
        FormUnderTest window;
        QTest::mouseClick(Control<QToolButton>(*window.form, "SpeedButton43"), Qt::LeftButton);
        QCOMPARE(window.world.messages.size(), 1);
        QVERIFY(window.world.messages.first().startsWith("Unable to write to " + dataFolder));
        QVERIFY(window.world.openedAddresses.isEmpty());
    }
};

QTEST_MAIN(TestCalendarCommand)
#include "test_calendarcommand.moc"
