// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The command-line tool's work on a long sheet: every line evaluated in turn and written out as
// the tool prints it, to a sink instead of a terminal.

#include <benchmark/benchmark.h>

#include <QByteArray>

#include "app/cli/sheetbatch.h"

using namespace tallimo;

namespace {

void EveryLineOfLongSheet(benchmark::State &state)
{
    QString text = QStringLiteral("12.5*3+7\n").repeated(state.range(0));
    text.chop(1);
    qsizetype printed = 0;
    for (auto _ : state) {
        EvaluateSheet(text, BatchOptions(), [&printed](int, const BatchLine &line) {
            printed += line.line.toUtf8().size();
        });
    }
    benchmark::DoNotOptimize(printed);
}
BENCHMARK(EveryLineOfLongSheet)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Lines that fail, and lines with nothing to compute: each costs about what a line costs,
// however many such lines come before it.
void LinesOfTheirOwn(benchmark::State &state, const QString &line)
{
    QString text = (line + QLatin1Char('\n')).repeated(state.range(0));
    text.chop(1);
    int failed = 0;
    for (auto _ : state) {
        EvaluateSheet(text, BatchOptions(), [&failed](int, const BatchLine &evaluated) {
            failed += evaluated.status == BatchLine::Status::Error;
        });
    }
    benchmark::DoNotOptimize(failed);
}
BENCHMARK_CAPTURE(LinesOfTheirOwn, FailingLines, QStringLiteral("()"))
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(40000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LinesOfTheirOwn, EmptyLines, QString())
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(40000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
