// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>

#include <signal.h>

#include "tests/support/fakeworld.h"
#include "tests/support/websandbox.h"
#include "windows/webbrowse.h"
#include "windows/webpageopener.h"
#include "windows/webviewsetup.h"

using namespace tallimo;

namespace {

// The first page of a run starts the web view's processes, which takes a while on a busy machine.
constexpr int WebViewStart = 30000;

template <typename Widget = QWidget>
Widget *Control(const QWidget &form, const char *name)
{
    auto *child = form.findChild<Widget *>(QLatin1String(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

QString StatusText(const Tf_webbrowse &window)
{
    return Control<QStatusBar>(window, "StatusBar1")->findChild<QLabel *>()->text();
}

QWebEngineView *Browser(const Tf_webbrowse &window)
{
    return Control<QWebEngineView>(window, "WebBrowser1");
}

bool ProcessRuns(qint64 pid) { return kill(static_cast<pid_t>(pid), 0) == 0; }

// Loads a page and waits until the window has seen it finish.
bool Load(Tf_webbrowse &window, const QUrl &page)
{
    QSignalSpy finished(Browser(window), &QWebEngineView::loadFinished);
    window.Navigate(page);
    return finished.wait(WebViewStart) && Browser(window)->url() == page;
}

}  // namespace

class TestWebBrowse : public QObject {
    Q_OBJECT

    QTemporaryDir pages;
    QUrl first, second;
    FakeWorld world;
    ProgramSeams seams = world.Seams();

    int windowsMade = 0;

    // An opener whose window the test can reach; counts the windows it makes.
    WebPageOpener OpenerMaking(Tf_webbrowse *&window)
    {
        return WebPageOpener(seams, [this, &window]() -> std::unique_ptr<WebPageWindow> {
            ++windowsMade;
            auto made = std::make_unique<Tf_webbrowse>();
            window = made.get();
            return made;
        });
    }

    QUrl Page(const QString &name, const QString &title)
    {
        QFile file(pages.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(
            QStringLiteral("<html><title>%1</title><body>%1</body></html>").arg(title).toUtf8());
        return QUrl::fromLocalFile(file.fileName());
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        first = Page("first.html", "first");
        second = Page("second.html", "second");
        QWebEngineView probe;
        QSignalSpy finished(&probe, &QWebEngineView::loadFinished);
        probe.load(first);
        if (!finished.wait(WebViewStart) || !finished.first().first().toBool())
            QSKIP("the web view does not start on this machine");
    }

    void pageFromTheDiskReadsNoOtherFile()
    {
        QFile secret(pages.filePath("secret.txt"));
        QVERIFY(secret.open(QIODevice::WriteOnly));
        secret.write("secret-content");
        secret.close();
        const QString secretUrl = QUrl::fromLocalFile(secret.fileName()).toString();
        QFile probe(pages.filePath("probe.html"));
        QVERIFY(probe.open(QIODevice::WriteOnly));
        probe.write(QStringLiteral(R"(<html><title>waiting</title><script>
const tries = [];
function done(what) { tries.push(what); if (tries.length == 2) document.title = tries.join(' '); }
const request = new XMLHttpRequest();
request.onload = () => done('xhr:' + request.status + ':' + request.responseText);
request.onerror = () => done('xhr:failed');
try { request.open('GET', '%1'); request.send(); } catch (e) { done('xhr:failed'); }
fetch('%1').then((r) => r.text()).then((t) => done('fetch:' + t), () => done('fetch:failed'));
</script></html>)")
                        .arg(secretUrl)
                        .toUtf8());
        probe.close();

        Tf_webbrowse window;
        QVERIFY(Load(window, QUrl::fromLocalFile(probe.fileName())));
        QTRY_COMPARE_WITH_TIMEOUT(Browser(window)->title(), QString("xhr:failed fetch:failed"),
                                  WebViewStart);
    }

    void freshWindowAsItOpens()
    {
        Tf_webbrowse window;
        QCOMPARE(window.objectName(), "f_webbrowse");
        QCOMPARE(window.windowTitle(), "网页浏览器");
        QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(StatusText(window), "Done.");
        QCOMPARE(Control<QLineEdit>(window, "Edit1")->width(), 450);
        window.Show();
        QVERIFY(window.isMaximized());
        window.showNormal();
        QCOMPARE(window.size(), QSize(708, 542));
        QStringList captions;
        for (const char *name : {"Button1", "Button2", "Button3", "Button4"})
            captions << Control<QPushButton>(window, name)->text();
        QCOMPARE(captions, QStringList({"停止", "后退", "向前", "主页"}));
    }

    // The web view's own page for a site it cannot reach speaks Chinese, whatever the locale.
    void unreachablePageInChinese()
    {
        Tf_webbrowse window;
        QSignalSpy finished(Browser(window), &QWebEngineView::loadFinished);
        // Nothing listens on port 1 of this machine.
        window.Navigate(QUrl(QStringLiteral("http://127.0.0.1:1/")));
        QVERIFY(finished.wait(WebViewStart));
        // The web view answers later, maybe after the test: the text outlives it.
        const auto text = std::make_shared<QString>();
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                Browser(window)->page()->toPlainText(
                    [text](const QString &shown) { *text = shown; });
                return text->contains(QStringLiteral("无法访问此网站"));
            }(),
            WebViewStart);
    }

    void statusFollowsTheLoading()
    {
        Tf_webbrowse window;
        QStringList seen;
        connect(Browser(window), &QWebEngineView::loadStarted, this,
                [&] { seen << StatusText(window); });
        QVERIFY(Load(window, first));
        QCOMPARE(seen, QStringList("Finding Site..."));
        QCOMPARE(StatusText(window), "Done.");
    }

    void enterInTheAddressFieldGoesThere()
    {
        Tf_webbrowse window;
        window.Show();
        auto *address = Control<QLineEdit>(window, "Edit1");
        address->setText(first.toLocalFile());
        QTest::keyClick(address, Qt::Key_Return);
        QCOMPARE(window.windowTitle(), first.toLocalFile());
        QCOMPARE(StatusText(window), "Finding Site...");
        QTRY_COMPARE_WITH_TIMEOUT(Browser(window)->url(), first, WebViewStart);
        QTRY_COMPARE_WITH_TIMEOUT(StatusText(window), QString("Done."), WebViewStart);
    }

    void backAndForwardWithNothingThereDoNothing()
    {
        Tf_webbrowse window;
        window.Show();
        QSignalSpy started(Browser(window), &QWebEngineView::loadStarted);
        QTest::mouseClick(Control<QPushButton>(window, "Button2"), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(window, "Button3"), Qt::LeftButton);
        QVERIFY(Load(window, first));
        started.clear();
        QTest::mouseClick(Control<QPushButton>(window, "Button2"), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(window, "Button3"), Qt::LeftButton);
        QCOMPARE(Browser(window)->url(), first);
        // The next page's load is the one load after the clicks, and the history holds the two
        // pages alone.
        QVERIFY(Load(window, second));
        QCOMPARE(started.count(), 1);
        QCOMPARE(Browser(window)->history()->count(), 2);
        QCOMPARE(Browser(window)->history()->backItem().url(), first);
        QCOMPARE(StatusText(window), "Done.");
        QVERIFY(world.messages.isEmpty());
    }

    void shortcutsReuseTheWindowAndItsHistory()
    {
        windowsMade = 0;
        Tf_webbrowse *window = nullptr;
        WebPageOpener opener = OpenerMaking(window);
        opener.OpenShortcut(first);
        const auto finished =
            std::make_unique<QSignalSpy>(Browser(*window), &QWebEngineView::loadFinished);
        QTRY_COMPARE_WITH_TIMEOUT(Browser(*window)->url(), first, WebViewStart);
        QVERIFY(window->isVisible());
        QVERIFY(!window->isModal());
        QVERIFY(Control(*window, "Button1")->isVisible());
        QVERIFY(!Control(*window, "Edit1")->isVisible());
        QVERIFY(!Control(*window, "Label1")->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!finished->isEmpty(), WebViewStart);

        window->close();
        QVERIFY(!window->isVisible());
        opener.OpenShortcut(second);
        QVERIFY(window->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(Browser(*window)->url(), second, WebViewStart);
        QTRY_VERIFY_WITH_TIMEOUT(Browser(*window)->history()->canGoBack(), WebViewStart);
        QTest::mouseClick(Control<QPushButton>(*window, "Button2"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(Browser(*window)->url(), first, WebViewStart);
        QCOMPARE(window->windowTitle(), "网页浏览器");
        QCOMPARE(windowsMade, 1);
    }

    // A closed window holds no page: the view and its page go, and so does the web view's process
    // that rendered it. The next opening makes a new page, on the history the last one had.
    void closingEndsThePageAndItsRenderProcess()
    {
        Tf_webbrowse window;
        window.Show();
        QVERIFY(Load(window, first));
        const qint64 renderer = Browser(window)->page()->renderProcessPid();
        QVERIFY(renderer > 0);
        const QPointer<QWebEngineView> view = Browser(window);

        window.close();
        QTRY_VERIFY_WITH_TIMEOUT(view.isNull(), WebViewStart);
        QTRY_VERIFY_WITH_TIMEOUT(!ProcessRuns(renderer), WebViewStart);
        QCOMPARE(StatusText(window), "Done.");

        window.Navigate(second);
        window.Show();
        QTRY_COMPARE_WITH_TIMEOUT(Browser(window)->url(), second, WebViewStart);
        QTRY_COMPARE_WITH_TIMEOUT(StatusText(window), QString("Done."), WebViewStart);
        QCOMPARE(Browser(window)->history()->count(), 2);
        QCOMPARE(Browser(window)->history()->backItem().url(), first);
        QVERIFY(Browser(window)->page()->renderProcessPid() != renderer);
    }

    void calendarShowsModallyWithoutTheAddressBar()
    {
        QTemporaryDir folder;
        Tf_webbrowse *window = nullptr;
        WebPageOpener opener = OpenerMaking(window);
        const QUrl calendar = QUrl::fromLocalFile(folder.filePath("jpwnl.html"));
        bool wasModal = false;
        bool closedByEscape = false;
        QUrl shown;
        QTimer::singleShot(0, this, [&] {
            wasModal = window->isVisible() && window->isModal();
            if (QTest::qWaitFor([&] { return Browser(*window)->url() == calendar; }, WebViewStart))
                shown = calendar;
            // Escape closes it, wherever the focus is in the window.
            QWidget *focus = window->focusWidget() ? window->focusWidget() : window;
            QTest::keyClick(focus, Qt::Key_Escape);
            closedByEscape = !window->isVisible();
            window->close();
        });
        opener.OpenCalendarPage(folder.path() + '/');
        QVERIFY(wasModal);
        QVERIFY(closedByEscape);
        QCOMPARE(shown, calendar);
        QVERIFY(!window->isVisible());
        QCOMPARE(window->windowTitle(), "万年历");

        // A later shortcut keeps what the calendar changed, and is not modal.
        opener.OpenShortcut(first);
        QVERIFY(window->isVisible());
        QVERIFY(!window->isModal());
        QCOMPARE(window->windowTitle(), "万年历");
        QVERIFY(!Control(*window, "Panel1")->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(Browser(*window)->url(), first, WebViewStart);
    }

    void firstEscapeClosesTheWindow_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("focus on no control, as the window opens") << "";
        QTest::newRow("focus in the page") << "WebBrowser1";
        QTest::newRow("focus on the stop button") << "Button1";
    }
    // One Escape closes the window wherever its focus is.
    void firstEscapeClosesTheWindow()
    {
        QFETCH(QString, focus);
        Tf_webbrowse window;
        QVERIFY(Load(window, first));
        window.Show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QWidget *target = &window;
        if (focus.isEmpty()) {
            if (QWidget *focused = window.focusWidget())
                focused->clearFocus();
        } else {
            target = Control(window, focus.toLatin1().constData());
            if (target->focusProxy())
                target = target->focusProxy();
            target->setFocus();
            QTRY_VERIFY(target->hasFocus());
        }
        QTest::keyClick(target, Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 2000);
    }

    void calendarWhileAShortcutHasTheWindowOpenTakesItOver()
    {
        QTemporaryDir folder;
        Tf_webbrowse *window = nullptr;
        WebPageOpener opener = OpenerMaking(window);
        opener.OpenShortcut(first);
        // Returns at once: the open window cannot turn modal, it comes to the front instead.
        opener.OpenCalendarPage(folder.path() + '/');
        QVERIFY(window->isVisible());
        QVERIFY(!window->isModal());
        QCOMPARE(window->windowTitle(), "万年历");
        QVERIFY(!Control(*window, "Panel1")->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(Browser(*window)->url(),
                                  QUrl::fromLocalFile(folder.filePath("jpwnl.html")), WebViewStart);
        QVERIFY(world.messages.isEmpty());
    }
};

int main(int argc, char *argv[])
{
    SwitchOffWebSandboxForTheSuperuser();
    QApplication app(argc, argv);
    if (!PrepareWebView())
        qFatal("the web view cannot run here");
    TestWebBrowse test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_webbrowse.moc"
