// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include "app/cli/sheetbatch.h"
#include "common/resultbar.h"
#include "engine/calcerror.h"

using namespace tallimo;

Q_DECLARE_METATYPE(tallimo::Value)

class TestResultBar : public QObject {
    Q_OBJECT
private slots:
    void makesTexts_data()
    {
        QTest::addColumn<Value>("value");
        QTest::addColumn<double>("total");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<bool>("money");
        QTest::addColumn<QString>("lineNumberText");
        QTest::addColumn<QString>("lineText");
        QTest::addColumn<bool>("lineTextIsNumberText");
        QTest::addColumn<QString>("totalNumberText");
        QTest::addColumn<QString>("totalText");

        const auto row = [](const char *name, Value value, double total, int decimals, bool money,
                            const char *lineNumberText, const char *lineText,
                            bool lineTextIsNumberText, const char *totalNumberText,
                            const char *totalText) {
            QTest::newRow(name) << value << total << decimals << money
                                << QString::fromUtf8(lineNumberText) << QString::fromUtf8(lineText)
                                << lineTextIsNumberText << QString::fromUtf8(totalNumberText)
                                << QString::fromUtf8(totalText);
        };
        row("1+2", 3, 3, 2, false, "3", "叁", false, "3", "叁");
        row("10/4 below 1+2=3", 2.5, 5.5, 2, false, "2.5", "贰点伍", false, "5.5", "伍点伍");
        row("3-5", -2, -2, 2, false, "-2", "负贰", false, "-2", "负贰");
        row("10/3 money 4 decimals", 10.0L / 3, 3.3333, 4, true, "3.33", "叁元叁角叁分", false,
            "3.33", "叁元叁角叁分");
        row("0-0.001", -0.001L, 0, 2, false, "0", "", false, "0", "");
        row("0-0.001 money", -0.001L, 0, 2, true, "0", "元", false, "0", "元");
        row("empty line below 1+2=3", 0, 3, 2, false, "0", "", false, "3", "叁");
        row("empty line below 1+2=3 money", 0, 3, 2, true, "0", "元", false, "3", "叁元");
        row("1/3 with 0 decimals", 1.0L / 3, 0, 0, false, "0", "", false, "0", "");
        row("2.996 money", 2.996L, 2.996, 4, true, "3", "叁元", false, "3", "叁元");
        row("-2.996 money", -2.996L, -2.996, 4, true, "-3", "负叁元", false, "-3", "负叁元");
        row("negative total rounds to even", 1, -12.5, 0, false, "1", "壹", false, "-12",
            "负壹拾贰");
        row("negative total money", 1, -1234.5, 2, true, "1", "壹元", false, "-1234.5",
            "负壹千贰佰叁拾肆元伍角");
        row("total -0.004 rounds to 0", 1, -0.004, 2, false, "1", "壹", false, "0", "");
        row("1.5E15", 1.5e15L, 1.5e15, 2, false, "1.5E15", "壹千伍佰万亿", false, "1.5E15",
            "壹千伍佰万亿");
        row("1E20 as number text", 1e20L, 1e20, 2, false, "1E20", "1E20", true, "1E20", "1E20");
        row("-1E16 money as number text", -1e16L, -1e16, 2, true, "-1E16", "-1E16", true, "-1E16",
            "-1E16");
        row("9999999999999999 writes as 1E16", 9999999999999999.0L, 5, 0, false, "1E16", "1E16",
            true, "5", "伍");
    }
    void makesTexts()
    {
        QFETCH(Value, value);
        QFETCH(double, total);
        QFETCH(int, decimals);
        QFETCH(bool, money);
        const ResultBarTexts texts =
            MakeResultBarTexts(value, total, decimals, money, RegionalSettings{});
        QTEST(texts.lineNumberText, "lineNumberText");
        QTEST(texts.lineText, "lineText");
        QTEST(texts.lineTextIsNumberText, "lineTextIsNumberText");
        QTEST(texts.totalNumberText, "totalNumberText");
        QTEST(texts.totalText, "totalText");
    }

    void usesTheRegionalSeparator()
    {
        RegionalSettings regional;
        regional.decimalSeparator = QLatin1Char(',');
        const ResultBarTexts texts = MakeResultBarTexts(-2.5L, 5.25, 2, false, regional);
        QCOMPARE(texts.lineNumberText, QStringLiteral("-2,5"));
        QCOMPARE(texts.lineText, QStringLiteral("负贰点伍"));
        QCOMPARE(texts.totalNumberText, QStringLiteral("5,25"));
        QCOMPARE(texts.totalText, QStringLiteral("伍点贰伍"));
    }

    void failsBeyondTheDoubleRange()
    {
        QVERIFY_THROWS_EXCEPTION(CalcError,
                                 MakeResultBarTexts(1e4000L, 0, 2, false, RegionalSettings{}));
    }

    // The tool's result bar columns: a line with nothing to evaluate shows the value 0, a line
    // that fails shows nothing.
    void sheetToolFillsTheResultBar_data()
    {
        QTest::addColumn<bool>("money");
        QTest::addColumn<QStringList>("lineTexts");
        QTest::addColumn<QStringList>("totalNumberTexts");
        QTest::addColumn<QStringList>("totalTexts");

        QTest::newRow("numerals") << false << QStringList{"叁", "", "贰点伍", "", "负贰"}
                                  << QStringList{"3", "3", "5.5", "", "3.5"}
                                  << QStringList{"叁", "叁", "伍点伍", "", "叁点伍"};
        QTest::newRow("money") << true << QStringList{"叁元", "元", "贰元伍角", "", "负贰元"}
                               << QStringList{"3", "3", "5.5", "", "3.5"}
                               << QStringList{"叁元", "叁元", "伍元伍角", "", "叁元伍角"};
    }
    void sheetToolFillsTheResultBar()
    {
        QFETCH(bool, money);
        QFETCH(QStringList, lineTexts);
        QFETCH(QStringList, totalNumberTexts);
        QFETCH(QStringList, totalTexts);

        BatchOptions options;
        options.money = money;
        // The expression of a line starts after the last line with a result, so the failing
        // line is followed by a start marker.
        QList<BatchLine> lines;
        EvaluateSheet(QStringLiteral("1+2\n\n10/4\n1/0\n\u22343-5"), options,
                      [&lines](int, const BatchLine &line) { lines << line; });
        QCOMPARE(lines.size(), lineTexts.size());
        QCOMPARE(lines.at(3).status, BatchLine::Status::Error);
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(lines.at(i).lineText, lineTexts.at(i));
            QCOMPARE(lines.at(i).totalNumberText, totalNumberTexts.at(i));
            QCOMPARE(lines.at(i).totalText, totalTexts.at(i));
        }
        QCOMPARE(TsvRow(3, lines.at(2)).section(QLatin1Char('\t'), 3),
                 lineTexts.at(2) + '\t' + totalNumberTexts.at(2) + '\t' + totalTexts.at(2));
    }
};

QTEST_GUILESS_MAIN(TestResultBar)
#include "test_resultbar.moc"
