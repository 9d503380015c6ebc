// Enter on the last line of a long sheet in the real window: from the key event to the result
// written and the total recomputed.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QTest>

#include "appsetup.h"
#include "calcform.h"
#include "support/fakeworld.h"

using namespace tallimo;

namespace {

void EnterOnTheLastLine(benchmark::State &state)
{
    FakeWorld world;
    TCalcForm form(world.Seams());
    form.show();
    form.findChild<QCheckBox *>(QStringLiteral("CheckBox2"))->setChecked(false);
    auto *memo = form.findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
    QStringList lines;
    for (int i = 0; i < state.range(0); ++i)
        lines << QStringLiteral("%1*3+12.5=%2").arg(i).arg(i * 3 + 12.5);
    lines << QStringLiteral("30+45/(2+3)+40*sin(60)+2^3");
    memo->setPlainText(lines.join(QLatin1Char('\n')));
    memo->moveCursor(QTextCursor::End);
    memo->setFocus();
    QCoreApplication::processEvents();

    for (auto _ : state) {
        QTest::keyClick(memo, Qt::Key_Return);
        state.PauseTiming();
        QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
        state.ResumeTiming();
    }
    if (!memo->toPlainText().endsWith(QStringLiteral("2^3")))
        state.SkipWithError("the sheet was not restored between runs");
}
BENCHMARK(EnterOnTheLastLine)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetUpApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
