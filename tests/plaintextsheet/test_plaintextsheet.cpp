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
};

QTEST_MAIN(TestPlainTextSheet)
#include "test_plaintextsheet.moc"
