// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include <cmath>
#include <optional>

#include "engine/calcerror.h"
#include "engine/lineevaluation.h"
#include "engine/linelist/linelistsheet.h"
#include "tests/support/sheettotals.h"

using namespace tallimo;

namespace {

// Enter pressed with the caret at the given place: the line is evaluated (a failure noted), then
// the line break that Enter always inserts.
struct Enter {
    bool failed = false;
    LineEvaluation outcome;
};

Enter PressEnter(LineListSheet &sheet, int line, int column, int decimals)
{
    sheet.SetCaret(line, column < 0 ? static_cast<int>(sheet.Line(line).size()) : column);
    Enter enter;
    TokenList tokens;
    try {
        enter.outcome = EvaluateLine(sheet, line, decimals, RegionalSettings(), tokens);
    } catch (const CalcError &) {
        enter.failed = true;
    }
    sheet.BreakLine();
    return enter;
}

QString Shown(const LineListSheet &sheet)
{
    return sheet.Text().replace(QLatin1Char('\n'), QLatin1Char('|'));
}

// A sheet edited by whole lines, which tells its kept results of every change as an editor does.
class EditedSheet : public Sheet {
public:
    QStringList lines{QString()};

    EditedSheet() { results_.Reset(1); }

    int LineCount() const override { return static_cast<int>(lines.size()); }
    QString Line(int line) const override { return lines.at(line); }
    int CaretLine() const override { return 0; }
    int CaretColumn() const override { return 0; }
    void ReplaceLine(int line, const QString &text) override { Splice(line, 1, {text}); }
    SheetResults &Results() override { return results_; }

    QStringList takenOut;  // the lines taken out, whose results stay in the total

    void TakeOutLeadingLines(int count)
    {
        results_.TakeOutLeadingLines(*this, count, RegionalSettings());
        takenOut += lines.mid(0, count);
        lines.remove(0, count);
    }

    void Splice(int first, int removed, const QStringList &added)
    {
        lines.remove(first, removed);
        for (qsizetype i = 0; i < added.size(); ++i)
            lines.insert(first + i, added[i]);
        results_.LinesReplaced(first, removed, static_cast<int>(added.size()));
    }

private:
    SheetResults results_;
};

}  // namespace

class TestLineEvaluation : public QObject {
    Q_OBJECT
private slots:
    // Sheets use "|" for line breaks. Enter is pressed at the end of the given line, or at the
    // given column.
    void enter_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("failed");
        QTest::addColumn<double>("total");

        QTest::newRow("1+2") << "1+2" << 0 << -1 << 2 << "1+2=3|" << false << 3.0;
        QTest::newRow("then 10/4")
            << "1+2=3|10/4" << 1 << -1 << 2 << "1+2=3|10/4=2.5|" << false << 5.5;
        QTest::newRow("-5+3 keeps its sign")
            << "-5+3" << 0 << -1 << 2 << "-5+3=-2|" << false << -2.0;
        QTest::newRow("+4 loses its plus") << "+4" << 0 << -1 << 2 << "4=4|" << false << 4.0;
        QTest::newRow("*3 loses its star") << "*3" << 0 << -1 << 2 << "3=3|" << false << 3.0;
        QTest::newRow("2*3+") << "2*3+" << 0 << -1 << 2 << "2*3=6|" << false << 6.0;
        QTest::newRow("1/3 with 2") << "1/3" << 0 << -1 << 2 << "1/3=0.33|" << false << 0.33;
        QTest::newRow("1/3 with 0") << "1/3" << 0 << -1 << 0 << "1/3=0|" << false << 0.0;
        QTest::newRow("1/3 with 4") << "1/3" << 0 << -1 << 4 << "1/3=0.3333|" << false << 0.3333;
        QTest::newRow("5/2 with 0") << "5/2" << 0 << -1 << 0 << "5/2=2|" << false << 2.0;
        QTest::newRow("7/2 with 0") << "7/2" << 0 << -1 << 0 << "7/2=4|" << false << 4.0;
        QTest::newRow("an earlier line")
            << "2+2=5|7*3=21" << 0 << -1 << 2 << "2+2=4||7*3=21" << false << 25.0;
        QTest::newRow("caret inside an old result")
            << "2+2=5|7" << 0 << 4 << 2 << "2+2=4||7" << false << 4.0;
        QTest::newRow("caret inside the expression")
            << "12+34" << 0 << 2 << 2 << "12+34=46|" << false << 46.0;
        QTest::newRow("3-5") << "3-5" << 0 << -1 << 2 << "3-5=-2|" << false << -2.0;
        QTest::newRow("0-0.001") << "0-0.001" << 0 << -1 << 2 << "0-0.001=0|" << false << 0.0;
        QTest::newRow("empty line below a result")
            << "1+2=3|" << 1 << -1 << 2 << "1+2=3||" << false << 3.0;
        QTest::newRow("9999+1 with 15")
            << "9999+1" << 0 << -1 << 15 << "9999+1=10000|" << false << 10000.0;
        QTest::newRow("9000+1 with 15")
            << "9000+1" << 0 << -1 << 15 << "9000+1=9001|" << false << 9001.0;
        QTest::newRow("1E20+1") << "1E20+1" << 0 << -1 << 2 << "1E20+1=1E20|" << false << 1e20;
        QTest::newRow("a note a=b is skipped")
            << "a=b|1+1" << 1 << -1 << 2 << "a=b|1+1=2|" << false << 2.0;
        QTest::newRow("a line ending in =")
            << "5=|1+1" << 1 << -1 << 2 << "5=|1+1=2|" << false << 2.0;
        QTest::newRow("CLEAR") << "CLEAR" << 0 << -1 << 2 << "CLEAR|" << true << 0.0;
        QTest::newRow("FULLSCREEN")
            << "FULLSCREEN" << 0 << -1 << 2 << "FULLSCREEN|" << false << 0.0;
        QTest::newRow("abc") << "abc" << 0 << -1 << 2 << "abc|" << true << 0.0;
        QTest::newRow("a note line after a result")
            << "1+2=3|合计" << 1 << -1 << 2 << "1+2=3|合计|" << true << 0.0;
        QTest::newRow("sin 60 without brackets")
            << "sin 60" << 0 << -1 << 2 << "sin 60|" << true << 0.0;
        QTest::newRow("dropped command words and blanks")
            << " setfont  Rev\t" << 0 << -1 << 2 << " setfont  Rev\t|" << false << 0.0;
        QTest::newRow("blanks only") << " \t " << 0 << -1 << 2 << " \t |" << false << 0.0;
        QTest::newRow("a failure leaves the tidied line")
            << "1/0+" << 0 << -1 << 2 << "1/0|" << true << 0.0;
        QTest::newRow("an expression over two lines")
            << "1+2=3|4+|5" << 2 << -1 << 2 << "1+2=3|4+|5=9|" << false << 12.0;
        QTest::newRow("1E300*1E300 has no double")
            << "1E300*1E300" << 0 << -1 << 2 << "1E300*1E300|" << true << 0.0;
        QTest::newRow("a value just above the largest double rounds to it")
            << "1.7976931348623158E308" << 0 << -1 << 2
            << "1.7976931348623158E308=1.79769313486232E308|" << true << 0.0;
        QTest::newRow("the total overflows after the line is written")
            << "1E308=1E308|1E308" << 1 << -1 << 2 << "1E308=1E308|1E308=1E308|" << true << 0.0;
        QTest::newRow("an empty sheet") << "" << 0 << -1 << 2 << "|" << false << 0.0;
    }

    void enter()
    {
        QFETCH(QString, sheet);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(int, decimals);
        QFETCH(QString, after);
        QFETCH(bool, failed);
        QFETCH(double, total);

        LineListSheet text(sheet.replace(QLatin1Char('|'), QLatin1Char('\n')));
        const Enter enter = PressEnter(text, line, column, decimals);
        QCOMPARE(Shown(text), after);
        QCOMPARE(enter.failed, failed);
        if (!failed)
            QCOMPARE(enter.outcome.total, total);
    }

    void theNewLineOpensBelowTheEvaluatedOne()
    {
        LineListSheet sheet(QStringLiteral("2+2=5\n1"));
        PressEnter(sheet, 0, 2, 2);
        QCOMPARE(sheet.CaretLine(), 1);
        QCOMPARE(sheet.Line(1), QString());
    }

    void theTotalReadsOnlyAfterTheFirstEquals_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<double>("total");
        QTest::newRow("1=2|3=4") << "1=2|3=4" << 6.0;
        QTest::newRow("a=b=3") << "a=b=3" << 0.0;
        QTest::newRow("x= 7 ") << "x= 7 " << 7.0;
        QTest::newRow("no results") << "1+2|3" << 0.0;
        QTest::newRow("0.1 ten times")
            << "=0.1|=0.1|=0.1|=0.1|=0.1|=0.1|=0.1|=0.1|=0.1|=0.1" << 0.9999999999999999;
    }

    void theTotalReadsOnlyAfterTheFirstEquals()
    {
        QFETCH(QString, sheet);
        QFETCH(double, total);
        LineListSheet lines(sheet.replace(QLatin1Char('|'), QLatin1Char('\n')));
        QCOMPARE(calcrichedit(lines, RegionalSettings()), total);
    }

    // Edits anywhere in a sheet, in every mix of replaced, inserted and removed lines, and leading
    // lines taken out now and then: after each one the kept total is the whole sheet's total
    // (the lines taken out included) to the last bit, overflow included.
    void keptTotalsMatchTheWholeSheetsTotal()
    {
        QRandomGenerator random(20261210);
        for (int round = 0; round < 200; ++round) {
            EditedSheet sheet;
            sheet.Splice(0, 1, RandomLines(random, random.bounded(1, 60)));
            for (int edit = 0; edit < 30; ++edit) {
                const int first = random.bounded(sheet.LineCount());
                const int removed = random.bounded(std::min(4, sheet.LineCount() - first) + 1);
                QStringList added = RandomLines(random, random.bounded(4));
                if (removed == sheet.LineCount() && added.isEmpty())
                    added << QString();
                sheet.Splice(first, removed, added);
                if (sheet.LineCount() > 1 && random.bounded(6) == 0)
                    sheet.TakeOutLeadingLines(random.bounded(1, sheet.LineCount()));
                if (random.bounded(3) == 0)
                    continue;  // several edits before the next total
                const auto expected = WholeSheetTotal(
                    (sheet.takenOut + sheet.lines).join(QLatin1Char('\n')), RegionalSettings());
                QVERIFY2(SameBits(KeptTotal(sheet), expected),
                         qPrintable(sheet.lines.join(QLatin1Char('|'))));
            }
        }
    }

    // Enter after Enter down a sheet that already holds results, as the command-line tool goes.
    void evaluatingLineAfterLineKeepsTheTotal()
    {
        QRandomGenerator random(7);
        QStringList lines = RandomLines(random, 300);
        for (int i = 0; i < lines.size(); i += 3)
            lines[i] = QStringLiteral("%1/7").arg(i);
        LineListSheet sheet(lines);
        TokenList tokens;
        for (int line = 0; line < sheet.LineCount(); ++line) {
            sheet.SetCaretAtEnd(line);
            try {
                EvaluateLine(sheet, line, 4, RegionalSettings(), tokens);
            } catch (const CalcError &) {
            }
            QVERIFY(SameBits(KeptTotal(sheet), WholeSheetTotal(sheet.Text(), RegionalSettings())));
        }
    }
};

QTEST_GUILESS_MAIN(TestLineEvaluation)
#include "test_lineevaluation.moc"
