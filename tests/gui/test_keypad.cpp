// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <algorithm>
#include <memory>

#include "app/calcform.h"
#include "tests/gui/formtesting.h"
#include "tests/support/heardclips.h"

using namespace tallimo;

namespace {

// A sheet with its caret written as ¦, or its selection as «…» with the caret at its end.
struct MarkedText {
    QString text;
    int anchor;
    int position;

    explicit MarkedText(QString marked)
    {
        const qsizetype open = marked.indexOf(u'«');
        if (open >= 0) {
            marked.remove(open, 1);
            const qsizetype close = marked.indexOf(u'»');
            marked.remove(close, 1);
            anchor = static_cast<int>(open);
            position = static_cast<int>(close);
        } else {
            const qsizetype caret = marked.indexOf(u'¦');
            if (caret >= 0)
                marked.remove(caret, 1);
            anchor = position = static_cast<int>(caret >= 0 ? caret : marked.size());
        }
        text = marked;
    }
};

// The main window on the offscreen screen with voice on; the clips it plays are collected
// without their "_wav", the waits of its read-outs take no time.
struct Keypad : FormUnderTest {
    struct NoWaits : Waiter {
        void Pause(int) override {}
        void Stop() override {}
    };

    HeardClips heard;
    QPlainTextEdit *memo = nullptr;

    Keypad()
        : FormUnderTest([this](ProgramSeams &seams) {
              seams.makeClipPlayer = [this] { return std::make_unique<HeardClips::Player>(heard); };
              seams.makeWaiter = [] { return std::make_unique<NoWaits>(); };
          })
    {
        Show();
        memo = Child<QPlainTextEdit>("Memo1");
        memo->setFocus();
    }

    // The window's player thread hands clips to `heard` until the window has gone.
    ~Keypad() { form.reset(); }

    // Starts the sheet afresh, with nothing to undo.
    void SetSheet(const QString &marked)
    {
        const MarkedText sheet(marked);
        memo->setPlainText(sheet.text);
        QTextCursor caret = memo->textCursor();
        caret.setPosition(sheet.anchor);
        caret.setPosition(sheet.position, QTextCursor::KeepAnchor);
        memo->setTextCursor(caret);
    }

    // The sheet with ¦ at the caret.
    QString Sheet() const
    {
        QString text = memo->toPlainText();
        return text.insert(memo->textCursor().position(), u'¦');
    }

    // Clicks the keypad keys by caption, separated by spaces.
    void Click(const QString &captions)
    {
        const auto keys = Child("GroupBox1")->findChildren<QToolButton *>();
        for (const QString &caption : captions.split(u' ')) {
            auto key = std::find_if(keys.begin(), keys.end(),
                                    [&](QToolButton *k) { return k->text() == caption; });
            if (key == keys.end())
                qFatal("no key %s", qPrintable(caption));
            QTest::mouseClick(*key, Qt::LeftButton);
        }
    }

    // Types the text into the sheet; "\n" presses Enter.
    void Type(const QString &text)
    {
        for (const QChar c : text) {
            if (c == u'\n')
                QTest::keyClick(memo, Qt::Key_Return);
            else
                QTest::keyClicks(memo, QString(c));
        }
    }

    void Undo() { QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier); }

    // Runs what the window has put off, such as the read-out of a result.
    static void Settle() { QCoreApplication::processEvents(); }
};

}  // namespace

class TestKeypad : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetUpWindowTests(); }

    // Each key plays its clip, inserts its text and leaves the caret where the next key belongs;
    // one undo takes back the last key alone.
    void keys_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("clips");
        QTest::addColumn<QString>("undone");

        auto row = [](const char *name, const char *before, const char *keys, const char *after,
                      const char *clips, const char *undone) {
            QTest::newRow(name) << QString::fromUtf8(before) << QString::fromUtf8(keys)
                                << QString::fromUtf8(after) << QString::fromUtf8(clips)
                                << QString::fromUtf8(undone);
        };
        row("12+ then -", "12+", "-", "12-¦", "sub", "12+");
        row("12+¦34 then *", "12+¦34", "*", "12*¦34", "mul", "12+34");
        row("¦+7 then +", "¦+7", "+", "+¦+7", "add", "+7");
        row("1/ on the next line then /", "1/\n", "/", "1/\n/¦", "div", "1/\n");
        row("Sin 3 0", "", "Sin 3 0", "Sin(30¦)", "sin 3 0", "Sin(3)");
        row("x^y", "", "x^y", "(¦)^()", "ncf", "");
        row("n! 4", "", "n! 4", "(4¦)!", "leicheng 4", "()!");
        row("x%y", "", "x%y", "(¦)%()", "mod", "");
        row("2*(3+4 then )", "2*(3+4", ")", "2*(3+4)¦", "you", "2*(3+4");
        row("digits and point", "", "7 8 9 4 5 6 1 2 3 0 .", "7894561230.¦",
            "7 8 9 4 5 6 1 2 3 0 point", "7894561230");
        row("( Sqrt", "", "( Sqrt", "(Sqrt(¦)", "zuo kaifang", "(");
        row("Sqr", "", "Sqr", "Sqr(¦)", "pingfang", "");
        row("Cos", "", "Cos", "Cos(¦)", "cos", "");
        row("Tan", "", "Tan", "Tan(¦)", "tan", "");
        row("Asin", "", "Asin", "Arcsin(¦)", "asin", "");
        row("Acos", "", "Acos", "ArcCos(¦)", "acos", "");
        row("Atan", "", "Atan", "ArcTan(¦)", "atan", "");
        row("Ln speaks nothing", "", "Ln", "Ln(¦)", "", "");
        row("Log10", "", "Log10", "Log10(¦)", "log", "");
        row("Pi", "", "Pi", "Pi¦", "pi", "");
        row("a function inside a line", "1¦2", "Sqrt", "1Sqrt(¦)2", "kaifang", "12");
        row("a selection is kept in the text", "12+«34»", "7", "12+7¦34", "7", "12+34");
        row("an operator over a selection", "5*«3»", "-", "5-¦3", "sub", "5*3");
        row("<- at the very start", "¦12", "<-", "¦12", "bs", "12");
        row("<- joins the lines", "1+2=3\n", "<-", "1+2=3¦", "bs", "1+2=3\n");
        row("<- inside a line", "12¦34", "<-", "1¦34", "bs", "1234");
        row("<- before a selection", "12«34»", "<-", "1¦34", "bs", "1234");
    }

    void keys()
    {
        QFETCH(QString, before);
        QFETCH(QString, keys);
        QFETCH(QString, after);
        QFETCH(QString, clips);
        QFETCH(QString, undone);

        Keypad k;
        k.SetSheet(before);
        k.Click(keys);
        QCOMPARE(k.Sheet(), after);
        QTRY_COMPARE(k.heard.Joined(), clips);
        QCOMPARE(QApplication::focusWidget(), k.memo);
        k.Undo();
        QCOMPARE(k.memo->toPlainText(), undone);
    }

    // An operator typed right after an operator takes its place, in one undo step.
    void typedOperators_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");

        auto row = [](const char *name, const char *before, const char *typed, const char *after) {
            QTest::newRow(name) << QString::fromUtf8(before) << QString::fromUtf8(typed)
                                << QString::fromUtf8(after);
        };
        row("5* then -", "5*", "-", "5-¦");
        row("3*-2", "", "3*-2", "3-2¦");
        row("¦+7 then +", "¦+7", "+", "+¦+7");
        row("5*«3» then -", "5*«3»", "-", "5-¦3");
        row("1+ on the line above, then -", "1+\n", "-", "1+\n-¦");
        row("12 then +", "12", "+", "12+¦");
        row("1( then +", "1(", "+", "1(+¦");
    }

    void typedOperators()
    {
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(QString, after);

        Keypad k;
        k.SetSheet(before);
        k.Type(typed);
        QCOMPARE(k.Sheet(), after);
    }

    void aTypedReplacementIsOneUndoStep()
    {
        Keypad k;
        k.SetSheet(QStringLiteral("5*"));
        k.Type(QStringLiteral("-"));
        k.Undo();
        QCOMPARE(k.Sheet(), QStringLiteral("5*¦"));
    }

    // The "=" key presses Enter in the sheet; the copy button then copies the result just
    // written.
    void equalsThenCopyResult()
    {
        Keypad k;
        k.Type(QStringLiteral("1+2"));
        k.Click(QStringLiteral("="));
        k.Settle();
        QCOMPARE(k.Sheet(), QStringLiteral("1+2=3\n¦"));
        QTRY_COMPARE(k.heard.Joined(), QStringLiteral("1 add 2 eqr 3"));
        QTest::mouseClick(k.Child<QToolButton>("sb_copyresult"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("3"));
    }

    // Wherever the focus was, "=" gives it to the sheet and evaluates the line there.
    void equalsEvaluatesInTheSheet_data()
    {
        QTest::addColumn<QString>("focused");
        QTest::newRow("result box Edit4") << "Edit4";
        QTest::newRow("result box Edit2") << "Edit2";
        QTest::newRow("decimals SpinEdit1") << "SpinEdit1";
        QTest::newRow("check box CheckBox4") << "CheckBox4";
    }
    void equalsEvaluatesInTheSheet()
    {
        QFETCH(QString, focused);
        Keypad k;
        k.Type(QStringLiteral("1+2"));
        QTest::mouseClick(k.Child<QToolButton>("SpeedButton4"), Qt::LeftButton);
        k.Child(focused)->setFocus();
        QCOMPARE(QApplication::focusWidget(), k.Child(focused));
        QTest::mouseClick(k.Child<QToolButton>("SpeedButton19"), Qt::LeftButton);
        QCOMPARE(k.Sheet(), QStringLiteral("1+2=3\n¦"));
        QCOMPARE(QApplication::focusWidget(), k.memo);
        QCOMPARE(k.Child<QSpinBox>("SpinEdit1")->value(), 2);
    }

    // The line copied is the line of the last key, click or result; the text after its first
    // "=" without blanks at the ends. A line without "=" leaves the clipboard as it was.
    void copyResult_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("copied");

        QTest::newRow("7") << "7" << 0 << "kept";
        QTest::newRow("1+2= 3  on the first line") << "1+2= 3 \n4*4=16" << 0 << "3";
        QTest::newRow("4*4=16 on the second line") << "1+2= 3 \n4*4=16" << 1 << "16";
        QTest::newRow("a=b=c") << "a=b=c" << 0 << "b=c";
        QTest::newRow("1+2=") << "1+2=" << 0 << "kept";
    }

    void copyResult()
    {
        QFETCH(QString, sheet);
        QFETCH(int, line);
        QFETCH(QString, copied);

        Keypad k;
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        k.SetSheet(sheet);
        const QTextBlock block = k.memo->document()->findBlockByNumber(line);
        QTextCursor caret(block);
        k.memo->setTextCursor(caret);
        QTest::mouseClick(k.memo->viewport(), Qt::LeftButton, {},
                          k.memo->cursorRect(caret).center());
        QTest::mouseClick(k.Child<QToolButton>("sb_copyresult"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }

    void clear()
    {
        Keypad k;
        k.Type(QStringLiteral("1+2\n4"));
        k.Child("SpinEdit1")->setFocus();
        QTest::mouseClick(k.Child<QToolButton>("SpeedButton7"), Qt::LeftButton);
        QCOMPARE(k.Sheet(), QStringLiteral("¦"));
        for (const char *field : {"Edit2", "Edit4", "Edit5"})
            QCOMPARE(k.Child<QLineEdit>(field)->text(), QString());
        QCOMPARE(k.Child<QLabel>("Label1")->text(), QStringLiteral("行1 列0 "));
        QCOMPARE(QApplication::focusWidget(), k.memo);
        // The result of 1+2 is read once the events are handled, after the clear.
        QTRY_VERIFY(k.heard.Joined().startsWith(QStringLiteral("1 add 2 eqr 4 c")));
        k.Undo();
        QCOMPARE(k.memo->toPlainText(), QStringLiteral("1+2=3\n4"));
    }

    // A shortcut shows the button pressed for a moment before it clicks. Alt going down moves no
    // caret, so Alt+O right after Enter copies the result just written.
    void altShortcuts()
    {
        Keypad k;
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        k.Type(QStringLiteral("6/2\n"));
        // Through the window, as the platform delivers keys, so that the shortcuts see them.
        QTest::keyClick(k.form->windowHandle(), Qt::Key_O, Qt::AltModifier);
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("3"));
        QTest::keyClick(k.form->windowHandle(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(k.memo->toPlainText(), QString());
    }

    void paste()
    {
        Keypad k;
        QGuiApplication::clipboard()->setText(QStringLiteral("2*3"));
        k.SetSheet(QStringLiteral("1+«9»0"));
        QTest::mouseClick(k.Child<QToolButton>("SpeedButton1"), Qt::LeftButton);
        QCOMPARE(k.Sheet(), QStringLiteral("1+2*3¦0"));
        QVERIFY(k.world.messages.isEmpty());
    }
};

QTEST_MAIN(TestKeypad)
#include "test_keypad.moc"
