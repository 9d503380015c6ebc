// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include "engine/keywords.h"
#include "engine/linelist/linelistsheet.h"
#include "engine/scanner.h"

using namespace tallimo;

namespace {

// Scans the sheet with the caret after the given number of characters of the whole text (lines
// separated by "\n"), or at the end when it is negative.
void Scan(TokenList &tokens, const QString &text, int caret, const RegionalSettings &regional = {})
{
    LineListSheet sheet(text);
    if (caret >= 0) {
        const QStringView before = QStringView(text).left(caret);
        const qsizetype lineStart = before.lastIndexOf(QLatin1Char('\n')) + 1;
        sheet.SetCaret(static_cast<int>(before.count(QLatin1Char('\n'))),
                       static_cast<int>(before.size() - lineStart));
    }
    ScanLine(tokens, sheet, regional);
}

}  // namespace

class TestScanner : public QObject {
    Q_OBJECT
private slots:
    void keywordTable()
    {
        QCOMPARE(KeywordAt(0), u"+");
        QCOMPARE(KeywordAt(16), u"PI");
        QCOMPARE(KeywordAt(36), u"REV");
        QVERIFY(IsKeyword(u"SQRT"));
        QVERIFY(!IsKeyword(u"sqrt"));  // case counts; callers upper-case first
        QVERIFY(!IsKeyword(u"LOG"));
        QCOMPARE(AsciiUpper(u"sin\u00e9"), QStringLiteral("SIN\u00e9"));
    }

    // Sheets are written with "|" for line breaks; caret -1 stands for the end of the sheet.
    void scans_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("tokens");

        QTest::newRow("1+2=3|4 * 5") << "1+2=3|4 * 5" << -1 << "4 * 5";
        QTest::newRow("1+2=3|4+|5") << "1+2=3|4+|5" << -1 << "4 + 5";
        QTest::newRow("words between are dropped")
            << "1+2=3|just some words|3 * 4" << -1 << "3 * 4";
        QTest::newRow("a hyphen in words stays") << "1+2=3|well-known|3" << -1 << "- 3";
        QTest::newRow("no = before: from the start") << "1+|2|3" << -1 << "1 + 2 3";
        QTest::newRow("caret at the very start") << "1+2|3*4" << 0 << "1 + 2";
        QTest::newRow("caret at the start of line 2") << "1+2=3|3*4" << 6 << "3 * 4";
        QTest::newRow("caret inside a line") << "1+2=3|30*4" << 7 << "30 * 4";
        QTest::newRow("= on the caret line does not limit") << "5|1+2=3" << -1 << "5 1 +";
        QTest::newRow("start marker") << "7+|total \u2234 3 * 4" << -1 << "3 * 4";
        QTest::newRow("marker nearer than =") << "1=1|2+\u22343" << -1 << "3";
        QTest::newRow("marker after = on an earlier line") << "7=\u22344+|5" << -1 << "4 + 5";
        QTest::newRow("= after a marker on an earlier line") << "\u22344+=|5" << -1 << "5";
        QTest::newRow("marker after the caret") << "1=1|2+3\u22344" << 7 << "2 +";
        QTest::newRow("40 * sin(60)") << "40 * sin(60)" << -1 << "40 * sin ( 60 )";
        QTest::newRow("sin 60 is one unknown piece") << "sin 60" << -1 << "";
        QTest::newRow("2pi") << "2pi" << -1 << "";
        QTest::newRow("1E5") << "1E5" << -1 << "1E5";
        QTest::newRow("1E-5*2") << "1E-5*2" << -1 << "1E-5 * 2";
        QTest::newRow(" 2.5e+3") << " 2.5e+3" << -1 << "2.5e+3";
        QTest::newRow(".5E-2") << ".5E-2" << -1 << ".5E-2";
        QTest::newRow("1E -5 splits") << "1E -5" << -1 << "1E - 5";
        QTest::newRow("1E-x splits") << "1E-x" << -1 << "1E -";
        QTest::newRow("x1E-5 splits") << "x1E-5" << -1 << "- 5";
        QTest::newRow("1 2") << "1 2" << -1 << "";
        QTest::newRow(" 12 ") << " 12 " << -1 << "12";
        QTest::newRow(".") << "." << -1 << ".";
        QTest::newRow("Sin and SIN") << "Sin(SIN(1))" << -1 << "Sin ( SIN ( 1 ) )";
        QTest::newRow("SETFONT") << "SETFONT" << -1 << "";
        QTest::newRow("FULLSCREEN 5") << "FULLSCREEN+5" << -1 << "+ 5";
        QTest::newRow("CLEAR") << "CLEAR" << -1 << "CLEAR";
        QTest::newRow("empty sheet") << "" << -1 << "";
        QTest::newRow("-5+3") << "-5+3" << -1 << "0 - 5 + 3";
        QTest::newRow("+4") << "+4" << -1 << "0 + 4";
        QTest::newRow("5*(-3)") << "5*(-3)" << -1 << "5 * ( 0 - 3 )";
        QTest::newRow("( - 3) with blanks") << "( - 3)" << -1 << "( 0 - 3 )";
        QTest::newRow("sign after = line") << "1=1|  -2" << -1 << "0 - 2";
        QTest::newRow("sign after a line break") << "(|-2)" << -1 << "( 0 - 2 )";
        QTest::newRow("2^-1 is no sign") << "2^-1" << -1 << "2 ^ - 1";
        QTest::newRow("x-5 is no sign") << "x-5" << -1 << "- 5";
        QTest::newRow("sin(-30)") << "sin(-30)" << -1 << "sin ( 0 - 30 )";
        QTest::newRow("-1E-5") << "-1E-5" << -1 << "0 - 1E-5";
        QTest::newRow("control characters")
            << QStringLiteral("1") + QChar(1) + QStringLiteral("+") + QChar(2) + QStringLiteral("2")
            << -1 << "1 + 2";
    }

    void scans()
    {
        QFETCH(QString, sheet);
        QFETCH(int, caret);
        QFETCH(QString, tokens);
        sheet.replace(QLatin1Char('|'), QLatin1Char('\n'));
        TokenList list{QStringLiteral("stale")};
        Scan(list, sheet, caret);
        QCOMPARE(list.join(QLatin1Char(' ')), tokens);
    }

    void scansWithCommaSeparator()
    {
        RegionalSettings comma;
        comma.decimalSeparator = QLatin1Char(',');
        TokenList list;
        const QString sheet = QStringLiteral("1,5*2,5E-1+1.5");
        Scan(list, sheet, -1, comma);
        QCOMPARE(list.join(QLatin1Char(' ')), QStringLiteral("1,5 * 2,5E-1 +"));
    }

    void survivesHostileText()
    {
        TokenList list;
        const QString brackets = QString(5000, QLatin1Char('(')) + QString(5000, QLatin1Char(')'));
        Scan(list, brackets, -1);
        QCOMPARE(list.size(), 10000);
        const QString garbage = QString::fromUtf8("\xF0\x9F\x98\x80\xE2\x88\xB4\0\xEF\xBF\xBF", 11);
        Scan(list, garbage, 99);
        QVERIFY(list.isEmpty());
        LineListSheet beforeTheStart(QStringLiteral("1+2"));
        beforeTheStart.SetCaret(0, -7);
        ScanLine(list, beforeTheStart, RegionalSettings());
        QCOMPARE(list.join(QLatin1Char(' ')), QStringLiteral("1 + 2"));
    }
};

QTEST_GUILESS_MAIN(TestScanner)
#include "test_scanner.moc"
