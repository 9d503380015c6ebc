// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "common/windowsdirectory.h"
#include "engine/calcerror.h"
#include "tests/support/failingfiles.h"
#include "tests/support/fakeworld.h"
#include "windows/calendarpage.h"
#include "windows/webpageopener.h"

#include <sys/stat.h>

using namespace tallimo;

namespace {

// A web page window that writes down what its callers ask of it.
struct NotingWindow final : WebPageWindow {
    QStringList &calls;
    explicit NotingWindow(QStringList &noted) : calls(noted) {}
    void SetCaption(const QString &caption) override { calls << "caption " + caption; }
    void HideAddressBar() override { calls << "hide bar"; }
    void HideAddressField() override { calls << "hide field"; }
    void Navigate(const QUrl &address) override { calls << "go " + address.toString(); }
    void Show() override { calls << "show"; }
    void ShowModal() override { calls << "show modal"; }
};

QByteArray Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestWebPageOpener : public QObject {
    Q_OBJECT

    FakeWorld world;
    ProgramSeams seams = world.Seams();
    QStringList calls;
    int windowsMade = 0;
    QTemporaryDir folder;

    WebPageOpener::MakeWindow Maker(bool works)
    {
        return [this, works]() -> std::unique_ptr<WebPageWindow> {
            ++windowsMade;
            if (!works)
                return nullptr;
            return std::make_unique<NotingWindow>(calls);
        };
    }
    QString Folder() const { return folder.path() + '/'; }
    QString PagePath() const { return Folder() + "jpwnl.html"; }

private slots:
    void init()
    {
        calls.clear();
        windowsMade = 0;
        world.openedAddresses.clear();
        world.messages.clear();
        world.browserAvailable = true;
        QFile::remove(PagePath());
        QDir().rmdir(PagePath());
    }

    void shortcutsAndCalendarShareOneWindow()
    {
        WebPageOpener opener(seams, Maker(true));
        QCOMPARE(windowsMade, 0);
        opener.OpenShortcut(QUrl("https://www.example.com/weather"));
        opener.OpenCalendarPage(Folder());
        opener.OpenShortcut(QUrl("ip138.com"));
        QCOMPARE(windowsMade, 1);
        const QString page = QUrl::fromLocalFile(PagePath()).toString();
        QCOMPARE(calls, QStringList({"hide field", "go https://www.example.com/weather", "show",
                                     "caption 万年历", "hide bar", "go " + page, "show modal",
                                     "hide field", "go ip138.com", "show"}));
        QVERIFY(world.openedAddresses.isEmpty());
    }

    void withoutWindowPagesOpenInTheSystemBrowser_data()
    {
        QTest::addColumn<QUrl>("address");
        QTest::addColumn<QUrl>("opened");
        QTest::newRow("ip138.com") << QUrl("ip138.com") << QUrl("http://ip138.com");
        QTest::newRow("https://www.example.com/a?b=1")
            << QUrl("https://www.example.com/a?b=1") << QUrl("https://www.example.com/a?b=1");
    }
    void withoutWindowPagesOpenInTheSystemBrowser()
    {
        QFETCH(QUrl, address);
        QFETCH(QUrl, opened);
        WebPageOpener opener(seams, Maker(false));
        opener.OpenShortcut(address);
        opener.OpenCalendarPage(Folder());
        QCOMPARE(world.openedAddresses, QList<QUrl>({opened, QUrl::fromLocalFile(PagePath())}));
        QCOMPARE(windowsMade, 1);
        QVERIFY(calls.isEmpty());
        QVERIFY(world.messages.isEmpty());
    }

    // With neither the window nor a browser, each page says that it cannot be shown, and the
    // calendar says where its file is.
    void withoutWindowOrBrowserPagesSayWhy()
    {
        world.browserAvailable = false;
        WebPageOpener opener(seams, Maker(false));
        opener.OpenShortcut(QUrl("ip138.com"));
        opener.OpenCalendarPage(Folder());
        QCOMPARE(world.messages.size(), 2);
        QVERIFY(world.messages[0].contains("http://ip138.com"));
        QVERIFY(world.messages[1].contains(QDir::toNativeSeparators(PagePath())));
    }

    void calendarPageUnpackedByteForByteWhenMissing()
    {
        WebPageOpener opener(seams, Maker(true));
        opener.OpenCalendarPage(Folder());
        const QByteArray page = Bytes(QString::fromLatin1(CalendarPageResource));
        QVERIFY(!page.isEmpty());
        QCOMPARE(Bytes(PagePath()), page);
    }

    void presentCalendarPageIsShownUnchanged()
    {
        QFile changed(PagePath());
        QVERIFY(changed.open(QIODevice::WriteOnly));
        changed.write("<p>mine</p>");
        changed.close();
        const QDateTime written = QFileInfo(PagePath()).lastModified();

        WebPageOpener opener(seams, Maker(true));
        opener.OpenCalendarPage(Folder());
        QCOMPARE(Bytes(PagePath()), QByteArray("<p>mine</p>"));
        QCOMPARE(QFileInfo(PagePath()).lastModified(), written);
        QVERIFY(calls.contains("show modal"));
    }

    void unwritableFolderEndsTheCalendarBeforeAnyWindow()
    {
        // A regular file in place of the folder stops every user, the superuser included.
        const QString blocker = folder.filePath("not-a-folder");
        QFile(blocker).open(QIODevice::WriteOnly);
        WebPageOpener opener(seams, Maker(true));
        try {
            opener.OpenCalendarPage(blocker + '/');
            QFAIL("the page was written into a file");
        } catch (const CalcError &error) {
            QCOMPARE(error.kind(), CalcError::Kind::FileAccess);
            QVERIFY(
                QString::fromStdString(error.what()).startsWith("Unable to write to " + blocker));
        }
        QCOMPARE(windowsMade, 0);
        QVERIFY(world.openedAddresses.isEmpty());
    }

    void fullDiskIsReportedWithTheSystemsReason()
    {
        try {
            UnpackCalendarPage(Folder(), FullDisk());
            QFAIL("a page was written to a full disk");
        } catch (const CalcError &error) {
            QCOMPARE(QString::fromStdString(error.what()),
                     QStringLiteral("Unable to write to %1\n%2").arg(PagePath(), NoSpaceReason()));
        }
        QCOMPARE(QDir(Folder()).entryList({"jpwnl.html*"}, QDir::AllEntries), QStringList());
    }

    void calendarPageThatIsNoRegularFileOpensNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a named pipe") << "pipe";
        // The page is the program's own file, and a link could name one the user may not read.
        QTest::newRow("a link to a file") << "link";
    }

    void calendarPageThatIsNoRegularFileOpensNothing()
    {
        QFETCH(QString, kind);
        if (kind == "folder") {
            QVERIFY(QDir().mkdir(PagePath()));
        } else if (kind == "pipe") {
            QCOMPARE(::mkfifo(QFile::encodeName(PagePath()).constData(), 0600), 0);
        } else {
            const QString other = Folder() + QStringLiteral("other.html");
            QVERIFY(QFile(other).open(QIODevice::WriteOnly));
            QVERIFY(QFile::link(other, PagePath()));
        }
        WebPageOpener opener(seams, Maker(true));
        try {
            opener.OpenCalendarPage(Folder());
            QFAIL("something other than a file was shown");
        } catch (const CalcError &error) {
            QCOMPARE(error.kind(), CalcError::Kind::FileAccess);
            QVERIFY(QString::fromStdString(error.what()).contains(QStringLiteral("不是普通文件")));
        }
        QCOMPARE(windowsMade, 0);
        QVERIFY(world.openedAddresses.isEmpty());
    }

    void windowsDirectoryIsTheProgramsDataFolder()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName("tallimo-test-webpage");
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir(data).removeRecursively();

        QCOMPARE(WindowsDirectory(), data + '/');
        QVERIFY(QFileInfo(data).isDir());
        QCOMPARE(WindowsDirectory(), data + '/');
        QDir(data).removeRecursively();
    }
};

QTEST_GUILESS_MAIN(TestWebPageOpener)
#include "test_webpageopener.moc"
