// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include "engine/keywords.h"
#include "engine/lineevaluation.h"
#include "engine/linelist/linelistsheet.h"
#include "windows/calchelp.h"

using namespace tallimo;

namespace {

// The decimals a first start shows results with.
constexpr int FirstStartDecimals = 2;

QPlainTextEdit *Memo1Of(const Tf_calchelp &help)
{
    auto *memo = help.findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
    if (!memo)
        qFatal("no Memo1");
    return memo;
}

}  // namespace

class TestCalcHelp : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void showsTheHelpPage()
    {
        Tf_calchelp help;
        QCOMPARE(Memo1Of(help)->toPlainText(), HelpPage());
    }

    // Each example ("  20+30*(2.3+3.8)/15+50=82.2") is a line that Enter, at the decimals of a
    // first start, leaves as the page shows it.
    void examplesGiveTheResultsShown_data()
    {
        QTest::addColumn<QString>("example");
        int examples = 0;
        for (const QString &line : HelpPage().split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("  ")) && line.contains(QLatin1Char('='))) {
                QTest::newRow(qPrintable(line.trimmed())) << line;
                ++examples;
            }
        }
        if (examples == 0)
            QTest::newRow("the page shows no example") << QString();
    }
    void examplesGiveTheResultsShown()
    {
        QFETCH(QString, example);
        QVERIFY(!example.isEmpty());
        LineListSheet sheet(example);
        sheet.SetCaretAtEnd(0);
        TokenList tokens;
        EvaluateLine(sheet, 0, FirstStartDecimals, RegionalSettings(), tokens);
        QCOMPARE(sheet.Line(0), example);
    }

    // The function list ("PI ! ^ % SQR ...") and the descriptions ("Sin(Exp)：...") name only
    // words the sheet computes with.
    void namesOnlyWordsTheSheetKnows_data()
    {
        QTest::addColumn<QString>("word");
        static const QRegularExpression listLine(QStringLiteral("^[A-Z0-9!^%/ ]+$"));
        static const QRegularExpression described(QStringLiteral("^(\\w+)\\(Exp\\)："));
        int words = 0;
        for (const QString &line : HelpPage().split(QLatin1Char('\n'))) {
            QStringList named;
            if (listLine.match(line).hasMatch())
                named = line.split(QRegularExpression(QStringLiteral("[ /]")), Qt::SkipEmptyParts);
            else if (const QRegularExpressionMatch match = described.match(line); match.hasMatch())
                named << match.captured(1);
            for (const QString &word : named) {
                QTest::newRow(qPrintable(word)) << word;
                ++words;
            }
        }
        if (words == 0)
            QTest::newRow("the page names no function") << QString();
    }
    void namesOnlyWordsTheSheetKnows()
    {
        QFETCH(QString, word);
        QVERIFY(KeywordOf(word).has_value());
    }

    void canBeCopiedButNotChanged()
    {
        Tf_calchelp help;
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QPlainTextEdit *memo = Memo1Of(help);
        const QString page = memo->toPlainText();
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("x1"));
        QTest::keyClick(memo, Qt::Key_Backspace);
        QTest::keyClick(memo, Qt::Key_Delete);
        QTest::keyClick(memo, Qt::Key_Return);
        QCOMPARE(memo->toPlainText(), page);

        QGuiApplication::clipboard()->clear();
        QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), page);
    }

    void hidingKeepsPlaceAndSelection()
    {
        Tf_calchelp help;
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QPlainTextEdit *memo = Memo1Of(help);
        QScrollBar *bar = memo->verticalScrollBar();
        QVERIFY2(bar->maximum() > 0, "the page must be longer than the window");

        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(memo->document()->findBlockByNumber(13).position());
        cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor);
        memo->setTextCursor(cursor);
        bar->setValue(bar->maximum() / 2 + 1);
        const int place = bar->value();
        const QString selection = memo->textCursor().selectedText();
        QVERIFY(!selection.isEmpty());

        help.close();
        QVERIFY(!help.isVisible());
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QCOMPARE(bar->value(), place);
        QCOMPARE(memo->textCursor().selectedText(), selection);
    }

    void looksAsDesigned()
    {
        Tf_calchelp help;
        QCOMPARE(help.windowTitle(), QStringLiteral("Help"));
        QCOMPARE(help.size(), QSize(649, 412));
        QVERIFY(help.maximumSize().width() > 649);
        QPlainTextEdit *memo = Memo1Of(help);
        QCOMPARE(memo->palette().color(QPalette::Base), QColor(0x00, 0x80, 0x80));
        QCOMPARE(memo->palette().color(QPalette::Text), QColor(Qt::white));
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(memo->font().pixelSize(), 16);
        // Where "MS Sans Serif" is missing, the face chosen must hold the Chinese glyphs.
        QVERIFY2(QFontMetrics(memo->font()).inFontUcs4(U'示'),
                 qPrintable(QFontInfo(memo->font()).family()));
    }
};

QTEST_MAIN(TestCalcHelp)
#include "test_calchelp.moc"
