// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <benchmark/benchmark.h>

#include "engine/evaluator.h"
#include "engine/lineevaluation.h"
#include "engine/linelist/linelistsheet.h"
#include "engine/scanner.h"

using namespace tallimo;

namespace {

void TypicalLine(benchmark::State &state)
{
    const RegionalSettings regional;
    const QString line = QStringLiteral("30+45/(2+3)+40*sin(60)+2^3");
    TokenList tokens;
    for (auto _ : state) {
        ScanExpression(tokens, line, regional);
        benchmark::DoNotOptimize(EvaluateTokens(tokens, regional));
    }
}
BENCHMARK(TypicalLine);

// Enter on the last line of a long sheet whose results were read before: the scan from the
// expression's start, the evaluation and the total.
void LastLineOfLongSheet(benchmark::State &state)
{
    const RegionalSettings regional;
    QStringList lines;
    for (int i = 0; i < state.range(0); ++i)
        lines << QStringLiteral("%1*3+12.5=%2").arg(i).arg(i * 3 + 12.5);
    const QString typed = QStringLiteral("30+45/(2+3)+40*sin(60)+2^3");
    lines << typed;
    LineListSheet sheet(lines);
    const int last = static_cast<int>(lines.size()) - 1;
    TokenList tokens;
    calcrichedit(sheet, regional);
    for (auto _ : state) {
        sheet.SetCaretAtEnd(last);
        benchmark::DoNotOptimize(EvaluateLine(sheet, last, 2, regional, tokens));
        state.PauseTiming();
        sheet.ReplaceLine(last, typed);
        state.ResumeTiming();
    }
}
BENCHMARK(LastLineOfLongSheet)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
