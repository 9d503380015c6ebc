// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include "tests/support/websandbox.h"
#include "windows/webpageloader.h"

using namespace tallimo;

namespace {

bool QtWebEngineLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
}

}  // namespace

// The web page window as the program gets it: this test, like the program, does not link
// Qt WebEngine, which arrives with the module on the first page, long after start-up.
class TestWebModule : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

private slots:
    void initTestCase() { QVERIFY(!QtWebEngineLoaded()); }

    void webViewThatCannotStartMakesNoWindow()
    {
        qputenv("QTWEBENGINEPROCESS_PATH", folder.filePath("missing").toLocal8Bit());
        const std::unique_ptr<WebPageWindow> window = LoadWebPageWindow(WEB_MODULE_FOLDER);
        qunsetenv("QTWEBENGINEPROCESS_PATH");
        QVERIFY(!window);
    }

    void noModuleNoWindow() { QVERIFY(!LoadWebPageWindow(folder.path())); }

    void moduleShowsAPage()
    {
        QFile page(folder.filePath("page.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><body>page</body></html>");
        page.close();
        const QUrl address = QUrl::fromLocalFile(page.fileName());

        const std::unique_ptr<WebPageWindow> window = LoadWebPageWindow(WEB_MODULE_FOLDER);
        QVERIFY(window);
        QVERIFY(QtWebEngineLoaded());
        auto *form = dynamic_cast<QWidget *>(window.get());
        QVERIFY(form);
        QObject *browser = form->findChild<QObject *>(QStringLiteral("WebBrowser1"));
        QVERIFY(browser);
        QSignalSpy finished(browser, SIGNAL(loadFinished(bool)));
        window->Navigate(address);
        window->Show();
        QVERIFY(finished.wait(30000));
        QCOMPARE(finished.first().first().toBool(), true);
        QCOMPARE(browser->property("url").toUrl(), address);
        QCOMPARE(form->findChild<QStatusBar *>()->findChild<QLabel *>()->text(), "Done.");
    }

    // The web view's sandbox refuses the superuser and the program does not switch it off: the
    // superuser gets no window (the pages go to the system's browser), anyone else gets one.
    void superuserGetsNoWindowWithTheSandboxOn()
    {
        const QByteArray sandboxOff = qgetenv("QTWEBENGINE_DISABLE_SANDBOX");
        qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
        const bool made = LoadWebPageWindow(WEB_MODULE_FOLDER) != nullptr;
        if (!sandboxOff.isNull())
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", sandboxOff);
        QCOMPARE(made, geteuid() != 0);
    }
};

int main(int argc, char *argv[])
{
    SwitchOffWebSandboxForTheSuperuser();
    QApplication app(argc, argv);
    TestWebModule test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_webmodule.moc"
