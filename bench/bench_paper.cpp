// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// A long sheet as a PDF document: its lines evaluated as the command-line tool evaluates them,
// then laid out and written, as the tool's --pdf and the window's export do. The target is 2 s
// for 10,000 lines.

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "app/cli/sheetbatch.h"
#include "windows/sheetpaper.h"

using namespace tallimo;

namespace {

QStringList LongSheet(qsizetype count)
{
    QStringList lines;
    lines.reserve(count);
    for (qsizetype k = 0; k < count; ++k)
        lines << QStringLiteral("%1.25*3+7").arg(k);
    return lines;
}

void LongSheetAsPdf(benchmark::State &state)
{
    const QString text = LongSheet(state.range(0)).join(QLatin1Char('\n'));
    qsizetype bytes = 0;
    for (auto _ : state) {
        PaperSheet sheet;
        sheet.fileName = QStringLiteral("long.txt");
        sheet.dateLine = QStringLiteral("2026-12-10 星期四 09:30:00");
        EvaluateSheet(text, BatchOptions(), [&sheet](int, const BatchLine &line) {
            sheet.lines << line.line;
            sheet.totalNumberText = line.totalNumberText;
            sheet.totalText = line.totalText;
        });
        bytes = SheetsPdf({sheet}).size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(LongSheetAsPdf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    // Painting takes Qt Gui's application object; the document needs no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
