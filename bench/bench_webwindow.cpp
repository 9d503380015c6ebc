// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// bench_webwindow: the web page window opened on the calendar page and closed, cycle after cycle,
// as a tray calculator does it all day. Each cycle prints the time from the order to open to the
// page loaded, and, once the window is closed and its page ended, the resident memory of the
// program and of the web view's processes it started, with the number of render processes left.
// usage: bench_webwindow [CYCLES]   (on a display, or with QT_QPA_PLATFORM=offscreen)
// 20 cycles by default; an argument that is not a number (the suite's run of every benchmark
// with the least repetition) asks for one.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>

#include <cstdio>

#include "tests/support/websandbox.h"
#include "windows/calendarpage.h"
#include "windows/webbrowse.h"
#include "windows/webviewsetup.h"

using namespace tallimo;

namespace {

struct Memory {
    long programKb = 0;
    long helpersKb = 0;
    int renderers = 0;
};

QByteArray ProcFile(qint64 pid, const char *name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

long ResidentKb(qint64 pid)
{
    const QByteArray status = ProcFile(pid, "status");
    const qsizetype at = status.indexOf("VmRSS:");
    return at < 0 ? 0
                  : status.mid(at + 6, status.indexOf('\n', at) - at - 6)
                        .trimmed()
                        .split(' ')
                        .first()
                        .toLong();
}

qint64 ParentOf(qint64 pid)
{
    const QByteArray stat = ProcFile(pid, "stat");
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() : -1;
}

// The program, and every process it started, with the render processes among them.
Memory MemoryNow()
{
    Memory memory;
    const qint64 self = QCoreApplication::applicationPid();
    memory.programKb = ResidentKb(self);
    QList<qint64> tree{self};
    for (bool grew = true; grew;) {
        grew = false;
        for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            bool number = false;
            const qint64 pid = entry.toLongLong(&number);
            if (number && !tree.contains(pid) && tree.contains(ParentOf(pid))) {
                tree << pid;
                memory.helpersKb += ResidentKb(pid);
                // The web view's zygotes are the program's children; the render processes are
                // forked from them, and keep the zygote's command line.
                if (ParentOf(pid) != self)
                    ++memory.renderers;
                grew = true;
            }
        }
    }
    return memory;
}

void Print(const char *when, const Memory &memory)
{
    std::printf("%-24s program %7ld kB   web view processes %7ld kB   render processes %d\n", when,
                memory.programKb, memory.helpersKb, memory.renderers);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char *argv[])
{
    SwitchOffWebSandboxForTheSuperuser();
    QApplication app(argc, argv);
    if (!PrepareWebView()) {
        std::fprintf(stderr, "the web view cannot run here\n");
        return 2;
    }
    bool number = false;
    const int asked = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt(&number) : 20;
    const int cycles = argc > 1 && !number ? 1 : asked;
    QTemporaryDir folder;
    const QUrl calendar = QUrl::fromLocalFile(UnpackCalendarPage(folder.path() + QLatin1Char('/')));

    Print("before the first opening", MemoryNow());
    Tf_webbrowse window;
    window.SetCaption(QStringLiteral("万年历"));
    window.HideAddressBar();
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        QElapsedTimer opening;
        opening.start();
        window.Navigate(calendar);
        window.Show();
        QSignalSpy loaded(window.findChild<QWebEngineView *>(QStringLiteral("WebBrowser1")),
                          &QWebEngineView::loadFinished);
        if (!loaded.wait(60000)) {
            std::fprintf(stderr, "the page did not load\n");
            return 1;
        }
        const qint64 openMs = opening.elapsed();
        Print(qPrintable(QStringLiteral("cycle %1 open (%2 ms)").arg(cycle).arg(openMs)),
              MemoryNow());
        window.close();
        // The web view ends the render process on its own time; a few seconds are plenty.
        QTest::qWait(3000);
        Print(qPrintable(QStringLiteral("cycle %1 closed").arg(cycle)), MemoryNow());
    }
    return 0;
}
