// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include "windows/calchelp.h"

using namespace tallimo;

namespace {

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

    void showsThePageLineByLine_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("line");
        const char *const page[] = {
            "示例：",
            "  20+30*(2.3+3.8)/15+50=82.2",
            "  30+45/(2+3)+40*sin(60)+2^3=81.64",
            "",
            "1、用法：",
            "输入数学表达式后，输入'='或 按 Enter 系统自动计算结果；",
            "表达式可以是加（+）、减（-）、乘（*）、除（/）、括号（()），以及系统支持的数学",
            "函数的任意组合。",
            "2、系统支持的数学函数：",
            "PI ! ^ % SQR SQRT INT/TRUNC ROUND ABS FRAC SIN COS TAN ARCSIN ARCCOS ",
            "ARCTAN LN LOG2 ",
            "LOG10",
            "PI：圆周率。",
            "Exp！：计算Exp（表达式）的介乘。",
            "Exp1^Exp2：计算Exp1的Exp2次方。",
            "Exp1%Exp2：计算Exp1除以Exp2后的余数。",
            "Sqr(Exp)：计算Exp的平方。",
            "Sqrt(Exp)：计算Exp的平方根。",
            "Int(Exp)/Trunc(Exp)：把Exp截断取整。",
            "Round(Exp)：把Exp四舍五入。",
            "Abs(Exp)：取Exp的绝对值。",
            "Frac(Exp)：取Exp的小数部分。",
            "Sin(Exp)：求Exp的正玄，输入的数为角度数。",
            "Cos(Exp)：求Exp的余玄，输入的数为角度数。",
            "Tan(Exp)：求Exp的正切，输入的数为角度数。",
            "ArcSin(Exp)：求Exp的反正玄,输出的数为角度数。",
            "ArcCos(Exp)：求Exp的反余玄,输出的数为角度数。",
            "ArcTan(Exp)：求Exp的反正切,输出的数为角度数。",
            "Ln(Exp)：求Exp的自然对数。",
            "Log2(Exp)：求Exp的以2为低的对数。",
            "Log10(Exp)：求Exp的以10为低的对数。",
        };
        int number = 0;
        for (const char *line : page) {
            ++number;
            QTest::addRow("line %d", number) << number << QString::fromUtf8(line);
        }
        QTest::newRow("no line 32") << 32 << QString();
    }
    void showsThePageLineByLine()
    {
        QFETCH(int, number);
        QFETCH(QString, line);
        Tf_calchelp help;
        const QStringList lines = Memo1Of(help)->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.value(number - 1), line);
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
