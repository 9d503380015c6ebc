#include <benchmark/benchmark.h>

#include "engine/evaluator.h"
#include "engine/linelistsheet.h"
#include "engine/scanner.h"

using namespace tallimo;

namespace {

void TypicalLine(benchmark::State &state)
{
    const RegionalSettings regional;
    const QString line = QStringLiteral("30+45/(2+3)+40*sin(60)+2^3");
    TokenList tokens;
    for (auto _ : state) {
        ScanLine(tokens, line, static_cast<int>(line.size()), regional);
        benchmark::DoNotOptimize(EvaluateTokens(tokens, regional));
    }
}
BENCHMARK(TypicalLine);

// Enter on the last line of a long sheet: the scan and the total over every line.
void LastLineOfLongSheet(benchmark::State &state)
{
    const RegionalSettings regional;
    QStringList lines;
    for (int i = 0; i < state.range(0); ++i)
        lines << QStringLiteral("%1*3+12.5=%2").arg(i).arg(i * 3 + 12.5);
    lines << QStringLiteral("30+45/(2+3)+40*sin(60)+2^3");
    const QString text = lines.join(QLatin1Char('\n'));
    const int last = static_cast<int>(lines.size()) - 1;
    TokenList tokens;
    for (auto _ : state) {
        state.PauseTiming();
        LineListSheet sheet(text);
        state.ResumeTiming();
        benchmark::DoNotOptimize(EvaluateLine(sheet, last, 2, regional, tokens));
    }
}
BENCHMARK(LastLineOfLongSheet)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
