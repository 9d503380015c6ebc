// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The sheet kept across runs, at 100,000 lines: what a save costs the window's thread (the copy of
// the text handed to the writer), what the writer's thread spends on the file, and how long after
// the first paint of a start the restored sheet is ready.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/calcform.h"
#include "common/keptsheet.h"
#include "tests/support/fakeworld.h"

using namespace tallimo;

namespace {

QString LongSheet(int lines)
{
    QStringList text;
    for (int i = 0; i < lines; ++i)
        text << QStringLiteral("%1*3+12.5=%2").arg(i).arg(i * 3 + 12.5);
    return text.join(QLatin1Char('\n'));
}

QString KeptSheetPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + QLatin1String(KeptSheetFileName);
}

// The window's side of a save: the sheet's text copied out of the editor and handed over.
void SaveOnTheWindowsThread(benchmark::State &state)
{
    QPlainTextEdit memo;
    memo.setLineWrapMode(QPlainTextEdit::NoWrap);
    memo.setPlainText(LongSheet(state.range(0)));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sheet.txt"));
    KeptSheetWriter writer;
    for (auto _ : state) {
        writer.SaveLater(path, memo.toPlainText());
        state.PauseTiming();
        writer.Wait();
        state.ResumeTiming();
    }
}
BENCHMARK(SaveOnTheWindowsThread)->Arg(100000)->Unit(benchmark::kMillisecond);

// The writer's side: the text encoded and the file replaced.
void WriteOnTheWritersThread(benchmark::State &state)
{
    const QString text = LongSheet(state.range(0));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sheet.txt"));
    for (auto _ : state)
        WriteKeptSheet(path, text);
}
BENCHMARK(WriteOnTheWritersThread)->Arg(100000)->Unit(benchmark::kMillisecond);

// Notes when the sheet is first painted.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const QElapsedTimer &clock) : clock_(clock) {}
    qint64 at = -1;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && at < 0)
            at = clock_.nsecsElapsed();
        return false;
    }

private:
    const QElapsedTimer &clock_;
};

// A start with a kept sheet: from the window's show to its first paint, and from the first paint
// to the restored sheet, laid out with the caret at its end (the time the benchmark reports).
void RestoreAfterTheFirstPaint(benchmark::State &state)
{
    WriteKeptSheet(KeptSheetPath(), LongSheet(state.range(0)));
    FakeWorld world;
    SaveKeepSheet({world.settingsFolder.path(), world.settingsFolder.path()}, true);
    double firstPaintSum = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        FirstPaint firstPaint(clock);
        TCalcForm form(world.Seams());
        auto *memo = form.findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
        memo->viewport()->installEventFilter(&firstPaint);
        clock.start();
        form.show();
        while (memo->document()->blockCount() < state.range(0))
            QCoreApplication::processEvents();
        memo->viewport()->repaint();
        const qint64 ready = clock.nsecsElapsed();
        if (firstPaint.at < 0) {
            state.SkipWithError("the sheet was never painted");
            break;
        }
        state.SetIterationTime(double(ready - firstPaint.at) / 1e9);
        firstPaintSum += double(firstPaint.at) / 1e6;
        memo->viewport()->removeEventFilter(&firstPaint);
        form.SpeedButton45Click();
    }
    state.counters["first_paint_ms"] =
        benchmark::Counter(firstPaintSum, benchmark::Counter::kAvgIterations);
    QFile::remove(KeptSheetPath());
}
BENCHMARK(RestoreAfterTheFirstPaint)
    ->Arg(100000)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

// The same text put into a plain editor on screen: what the restore costs the editor alone.
void PlainEditorTakesTheText(benchmark::State &state)
{
    const QString text = LongSheet(state.range(0));
    for (auto _ : state) {
        QPlainTextEdit memo;
        memo.setLineWrapMode(QPlainTextEdit::NoWrap);
        memo.show();
        QCoreApplication::processEvents();
        memo.setPlainText(text);
        memo.moveCursor(QTextCursor::End);
        memo.viewport()->repaint();
    }
}
BENCHMARK(PlainEditorTakesTheText)->Arg(100000)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
