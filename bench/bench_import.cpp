// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// An import of many short lines ("1+1" and CR LF) into the window, through its import command:
// the time until the sheet holds them all, or until the window refuses a file of more lines than
// a sheet takes (12,000,000 lines, 60 MB), the longest time the window went without answering
// on the way, and what the window's memory grew by (resident set, in MB). Run one size per
// process for clean memory figures, e.g. --benchmark_filter=ImportShortLines/1000000/.

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

#include "app/calcform.h"
#include "common/sheetlinebound.h"
#include "tests/support/fakeworld.h"

using namespace tallimo;

namespace {

double ResidentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024;
    }
    return 0;
}

void ImportShortLines(benchmark::State &state)
{
    FakeWorld world;
    world.openFileAnswer = world.settingsFolder.filePath(QStringLiteral("lines.txt"));
    {
        QFile file(world.openFileAnswer);
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray("1+1\r\n").repeated(state.range(0) - 1) + "1+1");
    }
    double longestPauseSum = 0;
    double grownSum = 0;
    for (auto _ : state) {
        TCalcForm form(world.Seams());
        form.show();
        QCoreApplication::processEvents();
        auto *memo = form.findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
        auto *import = form.findChild<QToolButton *>(QStringLiteral("SpeedButton47"));
        const double before = ResidentMegabytes();
        // A timer that fires whenever the window's event loop turns.
        QElapsedTimer clock;
        qint64 lastTurn = 0;
        qint64 longestPause = 0;
        QTimer turns;
        turns.setInterval(0);
        QObject::connect(&turns, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            longestPause = std::max(longestPause, now - lastTurn);
            lastTurn = now;
        });
        turns.start();
        clock.start();
        import->click();
        memo->viewport()->repaint();
        const qint64 end = clock.nsecsElapsed();
        longestPause = std::max(longestPause, end - lastTurn);
        turns.stop();
        const bool refused = !world.messages.isEmpty();
        if (refused != (state.range(0) > MostSheetLines) ||
            (!refused && memo->blockCount() != state.range(0))) {
            state.SkipWithError("the import did not end as the bound says");
            break;
        }
        state.SetIterationTime(double(end) / 1e9);
        longestPauseSum += double(longestPause) / 1e6;
        grownSum += ResidentMegabytes() - before;
        form.SpeedButton45Click();
    }
    state.counters["longest_pause_ms"] =
        benchmark::Counter(longestPauseSum, benchmark::Counter::kAvgIterations);
    state.counters["grown_MB"] = benchmark::Counter(grownSum, benchmark::Counter::kAvgIterations);
}
BENCHMARK(ImportShortLines)
    ->Arg(100000)
    ->Arg(1000000)
    ->Arg(12 * 1000 * 1000)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
