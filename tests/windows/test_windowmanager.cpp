// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The windows as a window manager places them, on a virtual X screen (run by
// tests/support/run-under-window-manager.sh): the web page window maximised, modal windows
// above the windows that stay on top, and the secondary windows centred with their frames.

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <memory>

#include "app/desktopseams.h"
#include "common/programseams.h"
#include "tests/support/dateregional.h"
#include "tests/support/fakeworld.h"
#include "tests/support/modalseams.h"
#include "tests/support/websandbox.h"
#include "tools/tf_tools.h"
#include "windows/about.h"
#include "windows/calchelp.h"
#include "windows/webbrowse.h"
#include "windows/webviewsetup.h"

using namespace tallimo;

namespace {

// The top-level windows from the bottom of the stack to the top, as the window manager keeps them.
QList<WId> Stacking()
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("-notype"),
                                          QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    xprop.waitForFinished();
    const QByteArray output = xprop.readAllStandardOutput();
    QList<WId> windows;
    for (const QByteArray &part : output.mid(output.indexOf('#') + 1).split(',')) {
        bool read = false;
        const WId window = part.trimmed().toULongLong(&read, 16);
        if (read)
            windows << window;
    }
    return windows;
}

// Where the X server has the window's client area: the place the window manager has carried
// out, which Qt learns only later from the manager's notices.
QPoint ClientPlace(WId window)
{
    QProcess xwininfo;
    xwininfo.start(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)});
    xwininfo.waitForFinished();
    QPoint place(-1, -1);
    for (const QByteArray &line : xwininfo.readAllStandardOutput().split('\n')) {
        const QByteArray value = line.mid(line.indexOf(':') + 1).trimmed();
        if (line.contains("Absolute upper-left X:"))
            place.setX(value.toInt());
        else if (line.contains("Absolute upper-left Y:"))
            place.setY(value.toInt());
    }
    return place;
}

// A window maximised in the area: as wide as the area, and as high but for the window manager's
// title bar, as the window is mapped (its frame's edges, as Qt reckons them, may be off by a few
// pixels).
bool Fills(const QRect &window, const QRect &area)
{
    constexpr int Slack = 2;
    constexpr int TitleBar = 64;
    return area.adjusted(-Slack, -Slack, Slack, Slack).contains(window) &&
           window.width() >= area.width() - 2 * Slack &&
           window.height() >= area.height() - TitleBar;
}

// A secondary window of the program, made on the fake world.
using WindowMaker = std::function<std::unique_ptr<QWidget>(FakeWorld &)>;

}  // namespace

Q_DECLARE_METATYPE(WindowMaker)

class TestWindowManager : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X screen with a window manager");
    }

    // It maps maximised the first time and again after it was closed, whether the callers have
    // given it a page before showing it or not.
    void webPageWindowOpensMaximised_data()
    {
        QTest::addColumn<bool>("withPage");
        QTest::newRow("no page yet") << false;
        QTest::newRow("a page loading") << true;
    }
    void webPageWindowOpensMaximised()
    {
        QFETCH(bool, withPage);
        QTemporaryDir folder;
        QFile page(folder.filePath(QStringLiteral("page.html")));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><body>page</body></html>");
        page.close();
        Tf_webbrowse window;
        if (withPage)
            window.Navigate(QUrl::fromLocalFile(page.fileName()));
        for (int opening = 1; opening <= 2; ++opening) {
            window.Show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            const QRect available = window.screen()->availableGeometry();
            QTRY_VERIFY2_WITH_TIMEOUT(
                Fills(window.geometry(), available),
                qPrintable(QStringLiteral("opening %1: window %2x%3, screen %4x%5")
                               .arg(opening)
                               .arg(window.width())
                               .arg(window.height())
                               .arg(available.width())
                               .arg(available.height())),
                10000);
            QVERIFY(window.isMaximized());
            window.close();
            QTRY_VERIFY(!Stacking().contains(window.winId()));
        }
    }

    // The tools and about windows centre their frame, title bar included, on the available
    // desktop every time they are shown, also after the user moved them away.
    void secondaryWindowsCentreTheirFrames_data()
    {
        QTest::addColumn<WindowMaker>("make");
        QTest::newRow("Tf_tools") << WindowMaker([](FakeWorld &world) {
            return std::make_unique<Tf_tools>(
                world.Seams(), [](const QUrl &) {}, WithDateSeparator('-'));
        });
        QTest::newRow("Tf_about") << WindowMaker(
            [](FakeWorld &world) { return std::make_unique<Tf_about>(world.Seams()); });
    }
    void secondaryWindowsCentreTheirFrames()
    {
        QFETCH(WindowMaker, make);
        QWidget main;
        main.setWindowTitle(QStringLiteral("Tallimo"));
        main.resize(652, 440);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        FakeWorld world;
        const std::unique_ptr<QWidget> window = make(world);
        for (int showing = 1; showing <= 3; ++showing) {
            window->show();
            // Qt knows the window's place and frame only from the manager's notices, which come
            // after the manager has taken the window into its list.
            QTRY_VERIFY_WITH_TIMEOUT(Stacking().contains(window->winId()), 5000);
            const QPoint middle = window->screen()->availableGeometry().center();
            const auto offCentre = [&] { return window->frameGeometry().center() - middle; };
            // Framed by the manager, with the frame's centre on the desktop's, within the
            // rounding of odd sizes, where the X server has it.
            QTRY_VERIFY2_WITH_TIMEOUT(
                window->frameGeometry().height() > window->height() &&
                    std::abs(offCentre().x()) <= 1 && std::abs(offCentre().y()) <= 1 &&
                    ClientPlace(window->winId()) == window->geometry().topLeft(),
                qPrintable(
                    QStringLiteral("showing %1: frame (%2,%3) %4x%5, off by %6,%7, client at %8,%9 "
                                   "on the X server")
                        .arg(showing)
                        .arg(window->frameGeometry().x())
                        .arg(window->frameGeometry().y())
                        .arg(window->frameGeometry().width())
                        .arg(window->frameGeometry().height())
                        .arg(offCentre().x())
                        .arg(offCentre().y())
                        .arg(ClientPlace(window->winId()).x())
                        .arg(ClientPlace(window->winId()).y())),
                5000);
            // Moved by the user, it stays where it was put until it is shown again.
            // Qt takes the new place at once; the manager carries it out later, and its notice
            // of the move must not come after the next showing.
            window->move(20, 30);
            QCOMPARE(window->pos(), QPoint(20, 30));
            QTRY_COMPARE_WITH_TIMEOUT(ClientPlace(window->winId()), window->geometry().topLeft(),
                                      5000);
            window->hide();
            QTRY_VERIFY(!Stacking().contains(window->winId()));
        }
    }

    // Every modal window of the seams maps above a window that stays on top, which it blocks,
    // when it opens over another window (the main window with the tools window open).
    void modalWindowsMapAboveAWindowOnTop_data() { AddModalSeamRows(); }
    void modalWindowsMapAboveAWindowOnTop()
    {
        QFETCH(ModalSeam, open);
        QWidget main;
        main.setWindowTitle(QStringLiteral("Tallimo"));
        main.resize(652, 440);
        QWidget onTop(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
        onTop.setWindowTitle(QStringLiteral("小工具"));
        onTop.resize(1000, 800);
        main.show();
        onTop.show();
        QVERIFY(QTest::qWaitForWindowExposed(&onTop));
        QTRY_VERIFY_WITH_TIMEOUT(Stacking().contains(onTop.winId()), 5000);
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));

        qsizetype modalPlace = -1;
        qsizetype onTopPlace = -1;
        QTimer::singleShot(0, this, [&] {
            QWidget *modal = nullptr;
            if (QTest::qWaitFor(
                    [&] {
                        modal = QApplication::activeModalWidget();
                        return modal && modal->isVisible() && Stacking().contains(modal->winId());
                    },
                    5000)) {
                QTest::qWait(200);
                const QList<WId> stacking = Stacking();
                modalPlace = stacking.indexOf(modal->winId());
                onTopPlace = stacking.indexOf(onTop.winId());
            }
            // Closing ends the modal loop, whichever window it is.
            for (QWidget *left = QApplication::activeModalWidget(); left;
                 left = QApplication::activeModalWidget())
                left->close();
        });
        open(DesktopSeams());
        QVERIFY(onTopPlace >= 0);
        QVERIFY2(modalPlace > onTopPlace, "the modal window is under the window on top");
    }
};

int main(int argc, char *argv[])
{
    SwitchOffWebSandboxForTheSuperuser();
    QApplication app(argc, argv);
    if (!PrepareWebView())
        qFatal("the web view cannot run here");
    TestWindowManager test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_windowmanager.moc"
