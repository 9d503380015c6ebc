// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

#include "app/plaintextsheet.h"
#include "engine/lineevaluation.h"
#include "tests/support/sheettotals.h"

using namespace tallimo;

namespace {

std::optional<double> EditorTotal(QPlainTextEdit &editor)
{
    PlainTextSheet sheet(editor);
    return KeptTotal(sheet);
}

std::optional<double> TextTotal(const QPlainTextEdit &editor)
{
    return WholeSheetTotal(editor.toPlainText());
}

QString Lines(QRandomGenerator &random, int count)
{
    return RandomLines(random, count).join(QLatin1Char('\n'));
}

}  // namespace

class TestPlainTextSheet : public QObject {
    Q_OBJECT
private slots:
    // Whatever changes the editor's text, the kept total is the total of the text as it is now.
    void keptTotalsFollowEveryEdit()
    {
        QRandomGenerator random(2026);
        QPlainTextEdit editor;
        editor.setPlainText(Lines(random, 40));
        QTextDocument &document = *editor.document();
        for (int step = 0; step < 600; ++step) {
            const int length = document.characterCount() - 1;
            QTextCursor cursor(&document);
            cursor.setPosition(random.bounded(length + 1));
            switch (random.bounded(6)) {
            case 0:
                cursor.insertText(Lines(random, random.bounded(1, 4)));
                break;
            case 1:
                cursor.setPosition(std::min(length, cursor.position() + random.bounded(40)),
                                   QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
                break;
            case 2:
                document.undo();
                break;
            case 3:
                document.redo();
                break;
            case 4:
                if (random.bounded(10) == 0)
                    editor.setPlainText(Lines(random, random.bounded(1, 600)));
                break;
            default: {
                // As Enter does: a line rewritten and the total taken inside one edit block,
                // before the document reports the change, then the line break.
                cursor.beginEditBlock();
                PlainTextSheet sheet(editor);
                sheet.ReplaceLine(cursor.blockNumber(), RandomLine(random));
                QVERIFY(SameBits(KeptTotal(sheet), TextTotal(editor)));
                QTextCursor caret = editor.textCursor();
                caret.insertBlock();
                cursor.endEditBlock();
                break;
            }
            }
            QVERIFY2(SameBits(EditorTotal(editor), TextTotal(editor)),
                     qPrintable(QStringLiteral("step %1").arg(step)));
        }
    }

    // Lines read as the editor shows its plain text, and the caret's place on its line.
    void linesAndCaret()
    {
        QPlainTextEdit editor;
        editor.setPlainText(QStringLiteral("1+2=3\nx=\u00a05\n12*3"));
        QTextCursor caret(editor.document()->findBlockByNumber(2));
        caret.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 2);
        editor.setTextCursor(caret);
        PlainTextSheet sheet(editor);
        QCOMPARE(sheet.LineCount(), 3);
        QCOMPARE(sheet.Line(1), QStringLiteral("x= 5"));
        QCOMPARE(sheet.CaretLine(), 2);
        QCOMPARE(sheet.CaretColumn(), 2);
        QCOMPARE(calcrichedit(sheet, RegionalSettings()), 8.0);
        sheet.ReplaceLine(0, QStringLiteral("1+2=4"));
        QCOMPARE(editor.textCursor().position(), 5);
        QCOMPARE(calcrichedit(sheet, RegionalSettings()), 9.0);
    }

    // A rewritten line holds the new text, the caret ends after it wherever it stood on the line,
    // the kept total follows, and one undo of the edit block gives the line back.
    void lineRewritten_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("caretColumn");
        QTest::addColumn<QString>("rewritten");
        QTest::newRow("12*3 -> 12*3=36, caret at the end")
            << QStringLiteral("12*3") << 4 << QStringLiteral("12*3=36");
        QTest::newRow("12*3 -> 12*3=36, caret inside")
            << QStringLiteral("12*3") << 1 << QStringLiteral("12*3=36");
        QTest::newRow("12*3= -> 12*3") << QStringLiteral("12*3=") << 5 << QStringLiteral("12*3");
        QTest::newRow("+12*3 -> 12*3") << QStringLiteral("+12*3") << 0 << QStringLiteral("12*3");
        QTest::newRow("x=<no-break space>5 -> x= 5=5")
            << QStringLiteral("x=\u00a05") << 4 << QStringLiteral("x= 5=5");
    }
    void lineRewritten()
    {
        QFETCH(QString, line);
        QFETCH(int, caretColumn);
        QFETCH(QString, rewritten);
        QPlainTextEdit editor;
        const QString before = QStringLiteral("2\n") + line + QStringLiteral("\n7");
        editor.setPlainText(before);
        const int lineStart = editor.document()->findBlockByNumber(1).position();
        QTextCursor caret(editor.document());
        caret.setPosition(lineStart + caretColumn);
        editor.setTextCursor(caret);
        {
            QTextCursor step(editor.document());
            step.beginEditBlock();
            PlainTextSheet sheet(editor);
            sheet.ReplaceLine(1, rewritten);
            step.endEditBlock();
        }
        QCOMPARE(editor.toPlainText(), QStringLiteral("2\n") + rewritten + QStringLiteral("\n7"));
        QCOMPARE(editor.textCursor().position(), lineStart + rewritten.size());
        QVERIFY(!editor.textCursor().hasSelection());
        QVERIFY(SameBits(EditorTotal(editor), TextTotal(editor)));
        editor.undo();
        QCOMPARE(editor.toPlainText(), QString(before).replace(QChar::Nbsp, QLatin1Char(' ')));
    }
};

QTEST_MAIN(TestPlainTextSheet)
#include "test_plaintextsheet.moc"
