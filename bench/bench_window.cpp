// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Enter in the real window: on the last line of a long sheet, from the key event to the result
// written and the total taken (the sheet's results were read by an earlier Enter, as they are
// while the user works), and on the longest line the sheet takes.

#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include "app/calcform.h"
#include "common/sheetlinebound.h"
#include "tests/support/fakeworld.h"

using namespace tallimo;

namespace {

// The sheet of the shown window with the voice off, so that no clip plays; null, with the
// benchmark skipped, where the window has no voice switch.
QPlainTextEdit *SilentSheet(TCalcForm &form, benchmark::State &state)
{
    form.show();
    // The settings page, with the voice switch, is made once the window has shown.
    QCoreApplication::processEvents();
    auto *voice = form.findChild<QCheckBox *>(QStringLiteral("CheckBox2"));
    if (!voice) {
        state.SkipWithError("the window has no voice switch");
        return nullptr;
    }
    voice->setChecked(false);
    return form.findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
}

// Fills the editor with `count` evaluated lines and one to evaluate, and measures Enter on that
// last line. Between runs the Enter is taken back, with the view scrolled back to where it stood,
// so that every run scrolls the view by the new line, and the window is let settle, as it has
// between a user's keys.
void MeasureEnterOnTheLastLine(benchmark::State &state, QPlainTextEdit &memo, int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("%1*3+12.5=%2").arg(i).arg(i * 3 + 12.5);
    lines << QStringLiteral("30+45/(2+3)+40*sin(60)+2^3");
    memo.setPlainText(lines.join(QLatin1Char('\n')));
    memo.setFocus();
    memo.moveCursor(QTextCursor::End);
    QCoreApplication::processEvents();
    const int viewTop = memo.verticalScrollBar()->value();
    const auto takeBack = [&memo, viewTop] {
        QTest::keyClick(&memo, Qt::Key_Z, Qt::ControlModifier);
        memo.moveCursor(QTextCursor::End);
        memo.verticalScrollBar()->setValue(viewTop);
        QCoreApplication::processEvents();
    };
    // The first Enter reads the sheet's results, as an earlier Enter has while the user works.
    QTest::keyClick(&memo, Qt::Key_Return);
    takeBack();

    bool everyRunScrolled = true;
    for (auto _ : state) {
        QTest::keyClick(&memo, Qt::Key_Return);
        state.PauseTiming();
        everyRunScrolled = everyRunScrolled && memo.verticalScrollBar()->value() != viewTop;
        takeBack();
        state.ResumeTiming();
    }
    if (!memo.toPlainText().endsWith(QStringLiteral("2^3")))
        state.SkipWithError("the sheet was not restored between runs");
    else if (!everyRunScrolled)
        state.SkipWithError("an Enter left the view where it stood");
}

void EnterOnTheLastLine(benchmark::State &state)
{
    FakeWorld world;
    TCalcForm form(world.Seams());
    if (QPlainTextEdit *memo = SilentSheet(form, state))
        MeasureEnterOnTheLastLine(state, *memo, state.range(0));
}
BENCHMARK(EnterOnTheLastLine)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The longest line the sheet takes, from going in to evaluated: laid out, painted with the caret
// at its end, and Enter.
void LongestLine(benchmark::State &state)
{
    FakeWorld world;
    TCalcForm form(world.Seams());
    QPlainTextEdit *memo = SilentSheet(form, state);
    if (!memo)
        return;
    QString line = QStringLiteral("1");
    while (line.size() + 2 <= LongestSheetLine)
        line += QStringLiteral("+1");
    memo->setFocus();
    for (auto _ : state) {
        memo->setPlainText(line);
        memo->moveCursor(QTextCursor::End);
        memo->viewport()->repaint();
        QTest::keyClick(memo, Qt::Key_Return);
        memo->viewport()->repaint();
    }
    if (!world.messages.isEmpty() || !memo->toPlainText().contains(QLatin1Char('=')))
        state.SkipWithError("the line was not evaluated");
}
BENCHMARK(LongestLine)->Unit(benchmark::kMillisecond);

// The same key in a plain editor holding the same sheet in the same font, frame and size: what
// Enter costs without evaluating.
void PlainEditorEnter(benchmark::State &state)
{
    QPlainTextEdit memo;
    memo.setLineWrapMode(QPlainTextEdit::NoWrap);
    {
        FakeWorld world;
        TCalcForm form(world.Seams());
        QPlainTextEdit *sheet = SilentSheet(form, state);
        if (!sheet)
            return;
        memo.setFont(sheet->font());
        memo.setFrameStyle(sheet->frameStyle());
        memo.setVerticalScrollBarPolicy(sheet->verticalScrollBarPolicy());
        memo.setHorizontalScrollBarPolicy(sheet->horizontalScrollBarPolicy());
        memo.resize(sheet->size());
    }
    memo.show();
    MeasureEnterOnTheLastLine(state, memo, state.range(0));
}
BENCHMARK(PlainEditorEnter)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
