// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <new>
#include <stdexcept>

#include "app/calcform.h"
#include "common/sheetlinebound.h"
#include "tests/gui/formtesting.h"

using namespace tallimo;

namespace {

// The main window on the offscreen screen, typed into with real key events; its messages are
// collected instead of shown.
struct SheetForm : FormUnderTest {
    QPlainTextEdit *memo = nullptr;

    SheetForm()
    {
        Show();
        memo = Child<QPlainTextEdit>("Memo1");
        memo->setFocus();
        Child<QCheckBox>("CheckBox2")->setChecked(false);  // the voice has tests of its own
    }

    // Types the text; "\n" presses Enter. What a keyboard has no key for arrives as an input
    // method sends it.
    void Type(const QString &text)
    {
        for (const QChar c : text) {
            if (c == QLatin1Char('\n')) {
                QTest::keyClick(memo, Qt::Key_Return);
            } else if (c.unicode() < 0x80) {
                QTest::keyClicks(memo, QString(c));
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(QString(c));
                QCoreApplication::sendEvent(memo, &commit);
            }
        }
    }

    void SetDecimals(int decimals) { Child<QSpinBox>("SpinEdit1")->setValue(decimals); }
    QString Text() const { return memo->toPlainText(); }
    QString Field(const char *name) const { return Child<QLineEdit>(name)->text(); }
    QString Label() const { return Child<QLabel>("Label1")->text(); }
};

const QString Failure = QStringLiteral("表达式错误！");

}  // namespace

class TestSheet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetUpWindowTests(); }

    // What the sheet shows after typing; "\n" is Enter.
    void typing_data()
    {
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<int>("failures");
        QTest::addColumn<QString>("total");

        QTest::newRow("1+2") << 2 << "1+2\n"
                             << "1+2=3\n"
                             << 0 << "3";
        QTest::newRow("1+2 then 10/4") << 2 << "1+2\n10/4\n"
                                       << "1+2=3\n10/4=2.5\n"
                                       << 0 << "5.5";
        QTest::newRow("= acts as Enter") << 2 << "1+2="
                                         << "1+2=3\n"
                                         << 0 << "3";
        QTest::newRow("-5+3") << 2 << "-5+3\n"
                              << "-5+3=-2\n"
                              << 0 << "-2";
        QTest::newRow("2*3+") << 2 << "2*3+\n"
                              << "2*3=6\n"
                              << 0 << "6";
        QTest::newRow("1/3") << 2 << "1/3\n"
                             << "1/3=0.33\n"
                             << 0 << "0.33";
        QTest::newRow("1/3 with 0") << 0 << "1/3\n"
                                    << "1/3=0\n"
                                    << 0 << "0";
        QTest::newRow("1/3 with 4") << 4 << "1/3\n"
                                    << "1/3=0.3333\n"
                                    << 0 << "0.3333";
        QTest::newRow("5/2 and 7/2 with 0") << 0 << "5/2\n7/2\n"
                                            << "5/2=2\n7/2=4\n"
                                            << 0 << "6";
        QTest::newRow("3-5") << 2 << "3-5\n"
                             << "3-5=-2\n"
                             << 0 << "-2";
        QTest::newRow("0-0.001") << 2 << "0-0.001\n"
                                 << "0-0.001=0\n"
                                 << 0 << "0";
        QTest::newRow("Enter on an empty line") << 2 << "1+2\n\n"
                                                << "1+2=3\n\n"
                                                << 0 << "3";
        QTest::newRow("9999+1 with 15") << 15 << "9999+1\n"
                                        << "9999+1=10000\n"
                                        << 0 << "10000";
        QTest::newRow("9000+1 with 15") << 15 << "9000+1\n"
                                        << "9000+1=9001\n"
                                        << 0 << "9001";
        QTest::newRow("CLEAR") << 2 << "CLEAR\n"
                               << "CLEAR\n"
                               << 1 << "";
        QTest::newRow("FULLSCREEN") << 2 << "FULLSCREEN\n"
                                    << "FULLSCREEN\n"
                                    << 0 << "0";
        QTest::newRow("1/0 stays tidied") << 2 << "1/0*\n"
                                          << "1/0\n"
                                          << 1 << "";
        QTest::newRow("sin(30)+sqrt(16)") << 2 << "sin(30)+sqrt(16)\n"
                                          << "sin(30)+sqrt(16)=4.5\n"
                                          << 0 << "4.5";
        QTest::newRow("１２＋３．５") << 2 << "１２＋３．５\n"
                                      << "１２＋３．５=15.5\n"
                                      << 0 << "15.5";
        QTest::newRow("（２－５）＊４／８") << 2 << "（２－５）＊４／８\n"
                                            << "（２－５）＊４／８=-1.5\n"
                                            << 0 << "-1.5";
        QTest::newRow("6×7÷2") << 2 << "6×7÷2\n"
                               << "6×7÷2=21\n"
                               << 0 << "21";
        QTest::newRow("1。5*2") << 2 << "1。5*2\n"
                                << "1。5*2=3\n"
                                << 0 << "3";
        QTest::newRow("２＾３＋５％３") << 2 << "２＾３＋５％３\n"
                                        << "２＾３＋５％３=10\n"
                                        << 0 << "10";
        QTest::newRow("12#") << 2 << "12#\n"
                             << "12#\n"
                             << 1 << "";
        QTest::newRow("1。") << 2 << "1。\n"
                             << "1。\n"
                             << 1 << "";
    }

    void typing()
    {
        QFETCH(int, decimals);
        QFETCH(QString, typed);
        QFETCH(QString, sheet);
        QFETCH(int, failures);
        QFETCH(QString, total);

        SheetForm s;
        s.SetDecimals(decimals);
        s.Type(typed);
        QCOMPARE(s.Text(), sheet);
        QCOMPARE(s.world.messages.size(), failures);
        if (failures)
            QCOMPARE(s.world.messages.first(), Failure);
        QCOMPARE(s.Field("Edit5"), total);
    }

    // Whatever fails while a line is evaluated, the user sees the one message, the program goes on
    // and the line break goes in.
    void everyFailureOfALineShowsTheMessage_data()
    {
        QTest::addColumn<int>("failure");
        QTest::newRow("runtime_error") << 0;
        QTest::newRow("bad_alloc") << 1;
        QTest::newRow("not an exception class") << 2;
    }
    void everyFailureOfALineShowsTheMessage()
    {
        QFETCH(int, failure);
        // The sound system is set up by the equals clip of the first Enter, while evaluating the
        // line.
        FormUnderTest voiced([failure](ProgramSeams &seams) {
            seams.makeClipPlayer = [failure]() -> std::unique_ptr<ClipPlayer> {
                if (failure == 0)
                    throw std::runtime_error("the sound device is gone");
                if (failure == 1)
                    throw std::bad_alloc();
                throw failure;
            };
        });
        voiced.Show();
        auto *memo = voiced.Child<QPlainTextEdit>("Memo1");
        memo->setFocus();
        memo->setPlainText(QStringLiteral("1+2"));
        memo->moveCursor(QTextCursor::End);
        QTest::keyClick(memo, Qt::Key_Return);
        QCOMPARE(voiced.world.messages, QStringList{Failure});
        QCOMPARE(memo->toPlainText(), QStringLiteral("1+2=3\n"));
    }

    // A result box too narrow for its text shows the text's start, the largest units.
    void resultBoxesShowTheStart()
    {
        SheetForm s;
        s.Type(QStringLiteral("123456789012.34+0\n"));
        for (const char *name : {"Edit4", "Edit5", "Edit2"}) {
            auto *box = s.Child<QLineEdit>(name);
            QVERIFY(!box->text().isEmpty());
            QCOMPARE(box->cursorPosition(), 0);
        }
        QVERIFY(s.Field("Edit4").startsWith(QStringLiteral("壹千贰佰")));
    }

    void enterInAnEarlierLine()
    {
        SheetForm s;
        s.memo->insertPlainText(QStringLiteral("2+2=5\n7*3=21"));
        QTextCursor caret = s.memo->textCursor();
        caret.setPosition(2);
        s.memo->setTextCursor(caret);
        s.Type(QStringLiteral("\n"));
        QCOMPARE(s.Text(), QStringLiteral("2+2=4\n\n7*3=21"));
        QCOMPARE(s.Field("Edit5"), QStringLiteral("25"));
        QCOMPARE(s.memo->textCursor().blockNumber(), 1);
    }

    // Shift+Enter evaluates too, and breaks the line into a new line of the sheet rather than a
    // line within the line.
    void shiftEnterActsAsEnter()
    {
        SheetForm s;
        s.Type(QStringLiteral("6*7"));
        QTest::keyClick(s.memo, Qt::Key_Return, Qt::ShiftModifier);
        s.Type(QStringLiteral("1+1\n"));
        QCOMPARE(s.Text(), QStringLiteral("6*7=42\n1+1=2\n"));
        QCOMPARE(s.memo->document()->blockCount(), 3);
        QCOMPARE(s.Field("Edit5"), QStringLiteral("44"));
    }

    // Enter on the last line of a sheet taller than the view scrolls the new line into view, the
    // caret on it.
    void enterOnTheBottomLineShowsTheNewLine_data()
    {
        QTest::addColumn<QString>("typed");

        QTest::newRow("7*6, Enter") << "7*6\n";
        QTest::newRow("7*6=") << "7*6=";
        QTest::newRow("Enter on the empty line") << "\n";
    }
    void enterOnTheBottomLineShowsTheNewLine()
    {
        QFETCH(QString, typed);
        SheetForm s;
        QStringList lines;
        for (int i = 1; i <= 200; ++i)
            lines << QStringLiteral("%1+1=%2").arg(i).arg(i + 1);
        s.memo->setPlainText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        s.memo->moveCursor(QTextCursor::End);
        QCoreApplication::processEvents();
        const int typedLine = s.memo->textCursor().blockNumber();
        s.Type(typed);
        QCOMPARE(s.memo->textCursor().blockNumber(), typedLine + 1);
        QVERIFY(s.memo->viewport()->rect().contains(s.memo->cursorRect()));
        QVERIFY(s.world.messages.isEmpty());
    }

    void aNoteInTheSheetIsNoNumber()
    {
        SheetForm s;
        s.memo->insertPlainText(QStringLiteral("a=b\n"));
        s.Type(QStringLiteral("1+1\n"));
        QCOMPARE(s.Text(), QStringLiteral("a=b\n1+1=2\n"));
        QVERIFY(s.world.messages.isEmpty());
        QCOMPARE(s.Field("Edit5"), QStringLiteral("2"));
    }

    // The caret label shows where the caret is after every key and click.
    void theCaretLabelFollowsTheCaret()
    {
        SheetForm s;
        QCOMPARE(s.Label(), QStringLiteral("行1 列0 "));
        s.Type(QStringLiteral("12"));
        QCOMPARE(s.Label(), QStringLiteral("行:1 列:2"));
        s.Type(QStringLiteral("\n"));
        QCOMPARE(s.Label(), QStringLiteral("行:2 列:0"));
        QTest::keyClick(s.memo, Qt::Key_Up);
        QCOMPARE(s.Label(), QStringLiteral("行:1 列:0"));
        QTest::keyClick(s.memo, Qt::Key_End);
        QCOMPARE(s.Label(), QStringLiteral("行:1 列:5"));
        QTest::keyClick(s.memo, Qt::Key_Left);
        QCOMPARE(s.Label(), QStringLiteral("行:1 列:4"));
        QTest::keyClick(s.memo, Qt::Key_Home);
        QCOMPARE(s.Label(), QStringLiteral("行:1 列:0"));
        QTextCursor end = s.memo->textCursor();
        end.movePosition(QTextCursor::End);
        QTest::mouseClick(s.memo->viewport(), Qt::LeftButton, {}, s.memo->cursorRect(end).center());
        QCOMPARE(s.Label(), QStringLiteral("行:2 列:0"));
    }

    // Copy result copies the result of the caret's line; right after Enter, until the caret
    // moves, that of the line just evaluated.
    void copyResultFollowsTheCaret_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("copied");

        QTest::newRow("Enter") << ""
                               << "9";
        QTest::newRow("Enter, Up") << "U"
                                   << "9";
        QTest::newRow("Enter, Up, Up") << "UU"
                                       << "3";
        QTest::newRow("Enter, Up, Up, Down") << "UUD"
                                             << "9";
        QTest::newRow("Enter, Home") << "H"
                                     << "kept";
        QTest::newRow("Enter, 5") << "5"
                                  << "kept";
    }
    void copyResultFollowsTheCaret()
    {
        QFETCH(QString, keys);
        QFETCH(QString, copied);
        SheetForm s;
        s.Type(QStringLiteral("1+2\n4+5\n"));
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        for (const QChar key : keys) {
            if (key == u'U')
                QTest::keyClick(s.memo, Qt::Key_Up);
            else if (key == u'D')
                QTest::keyClick(s.memo, Qt::Key_Down);
            else if (key == u'H')
                QTest::keyClick(s.memo, Qt::Key_Home);
            else
                s.Type(QString(key));
        }
        QTest::keyClick(s.form->windowHandle(), Qt::Key_O, Qt::AltModifier);
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), copied);
    }

    // A double click selects the word under the mouse; the caret then stands at the word's start.
    void aDoubleClickShowsTheStartOfTheWordItSelects()
    {
        SheetForm s;
        s.memo->setPlainText(QStringLiteral("1+2=3\n12+345"));
        QTextCursor inTheWord = s.memo->textCursor();
        inTheWord.setPosition(11);
        const QPoint at = s.memo->viewport()->mapTo(
            s.form.get(), s.memo->cursorRect(inTheWord).center() + QPoint(2, 0));
        // Through the window, so that the second press arrives as a double click.
        QTest::mouseDClick(s.form->windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(s.memo->textCursor().selectedText(), QStringLiteral("345"));
        QCOMPARE(s.Label(), QStringLiteral("行:2 列:3"));
    }

    void undoRestoresTheLineAsTyped()
    {
        SheetForm s;
        s.Type(QStringLiteral("2*3+"));
        QTest::keyClick(s.memo, Qt::Key_Return);
        QCOMPARE(s.Text(), QStringLiteral("2*3=6\n"));
        QTest::keyClick(s.memo, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(s.Text(), QStringLiteral("2*3+"));
        QCOMPARE(s.memo->textCursor().position(), 4);
    }

    // The pasted text is measured with the part of the line it joins.
    void pasteThatMakesAnOverlongLineInsertsNothing_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("message");
        const QString half(LongestSheetLine / 2, QLatin1Char('1'));
        QTest::newRow("half a line into half a line")
            << "2*" + half << half.chopped(2) << QString();
        QTest::newRow("half a line and more into half a line")
            << "2*" + half << half + "\n3" << OverlongLineMessage(2);
        QTest::newRow("an overlong second line")
            << "1"
            << "+2\n" + half + half + "1" << OverlongLineMessage(3);
    }
    void pasteThatMakesAnOverlongLineInsertsNothing()
    {
        QFETCH(QString, sheet);
        QFETCH(QString, pasted);
        QFETCH(QString, message);
        SheetForm s;
        s.memo->setPlainText("1+1\n" + sheet);
        s.memo->moveCursor(QTextCursor::End);
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(s.memo, Qt::Key_V, Qt::ControlModifier);
        if (message.isEmpty()) {
            QCOMPARE(s.Text(), "1+1\n" + sheet + pasted);
            QVERIFY(s.world.messages.isEmpty());
        } else {
            QCOMPARE(s.Text(), "1+1\n" + sheet);
            QCOMPARE(s.world.messages, QStringList{message});
        }
    }

    // A line made overlong another way is reported on Enter, not read.
    void enterOnAnOverlongLineReportsIt()
    {
        SheetForm s;
        s.memo->setPlainText(QString(LongestSheetLine + 1, QLatin1Char('1')));
        s.memo->moveCursor(QTextCursor::End);
        QTest::keyClick(s.memo, Qt::Key_Return);
        QCOMPARE(s.world.messages, QStringList{OverlongLineMessage(1)});
        QVERIFY(s.Field("Edit4").isEmpty());
    }

    void aFailureStillInsertsTheLineBreak()
    {
        SheetForm s;
        s.Type(QStringLiteral("1+1\nCLEAR\n"));
        QCOMPARE(s.world.messages, QStringList{Failure});
        QCOMPARE(s.Text(), QStringLiteral("1+1=2\nCLEAR\n"));
        QCOMPARE(s.memo->textCursor().blockNumber(), 2);
        QCOMPARE(s.Field("Edit5"), QStringLiteral("2"));  // the bar keeps its texts
    }

    void resultBar_data()
    {
        QTest::addColumn<bool>("money");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("totalText");

        QTest::newRow("1+2") << false << 2 << "1+2\n"
                             << "叁"
                             << "3"
                             << "叁";
        QTest::newRow("then 10/4") << false << 2 << "1+2\n10/4\n"
                                   << "贰点伍"
                                   << "5.5"
                                   << "伍点伍";
        QTest::newRow("3-5") << false << 2 << "3-5\n"
                             << "负贰"
                             << "-2"
                             << "负贰";
        QTest::newRow("10/3 money with 4") << true << 4 << "10/3\n"
                                           << "叁元叁角叁分"
                                           << "3.33"
                                           << "叁元叁角叁分";
        QTest::newRow("0-0.001") << false << 2 << "0-0.001\n"
                                 << ""
                                 << "0"
                                 << "";
        QTest::newRow("Enter on an empty line") << false << 2 << "1+2\n\n"
                                                << ""
                                                << "3"
                                                << "叁";
        QTest::newRow("Enter on an empty line, money") << true << 2 << "1+2\n\n"
                                                       << "元"
                                                       << "3"
                                                       << "叁元";
        QTest::newRow("a negative total") << false << 2 << "1-4\n1\n"
                                          << "壹"
                                          << "-2"
                                          << "负贰";
    }

    void resultBar()
    {
        QFETCH(bool, money);
        QFETCH(int, decimals);
        QFETCH(QString, typed);
        QFETCH(QString, line);
        QFETCH(QString, total);
        QFETCH(QString, totalText);

        SheetForm s;
        s.Child<QCheckBox>("CheckBox4")->setChecked(money);
        s.SetDecimals(decimals);
        s.Type(typed);
        QCOMPARE(s.Field("Edit4"), line);
        QCOMPARE(s.Field("Edit5"), total);
        QCOMPARE(s.Field("Edit2"), totalText);
    }
};

QTEST_MAIN(TestSheet)
#include "test_sheet.moc"
