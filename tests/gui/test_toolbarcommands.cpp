// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

#include "common/sheetlinebound.h"
#include "tests/gui/formtesting.h"
#include "windows/about.h"
#include "windows/calchelp.h"

using namespace tallimo;

namespace {

const QString Filter = QStringLiteral("文本文件(*.txt)");
// "合计：叁" in GB18030.
const QByteArray TotalGb18030("\xBA\xCF\xBC\xC6\xA3\xBA\xC8\xFE");

QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The main window on the offscreen screen, its voice off, with a folder for the sheet's files.
struct Toolbar : FormUnderTest {
    QTemporaryDir files;

    Toolbar()
    {
        Show();
        Child<QCheckBox>(QStringLiteral("CheckBox2"))->setChecked(false);
    }

    QPlainTextEdit *Sheet() const { return Child<QPlainTextEdit>(QStringLiteral("Memo1")); }
    void Click(const char *button) const
    {
        Child<QToolButton>(QString::fromLatin1(button))->click();
    }
    QString FilePath(const QString &name) const { return QDir(files.path()).filePath(name); }
    QStringList Files() const { return QDir(files.path()).entryList(QDir::Files); }
    QString DateLine() const { return Child<QLabel>(QStringLiteral("Label4"))->text(); }

    // Evaluates "1+2" so that the result bar has something to lose.
    void EvaluateALine() const
    {
        Sheet()->setFocus();
        QTest::keyClicks(Sheet(), QStringLiteral("1+2="));
    }
    QStringList ResultBar() const
    {
        QStringList texts;
        for (const char *name : {"Edit2", "Edit4", "Edit5"})
            texts << Child<QLineEdit>(QString::fromLatin1(name))->text();
        return texts;
    }

    // Clicks the button and notes the modal window it opens, then closes that window.
    QWidget *ModalOf(const QByteArray &button) const
    {
        QWidget *opened = nullptr;
        QTimer::singleShot(0, [&opened] {
            opened = QApplication::activeModalWidget();
            if (opened)
                opened->close();
        });
        Click(button.constData());
        return opened;
    }
};

}  // namespace

class TestToolbarCommands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpWindowTests(); }

    void savesTheSheet_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("abc") << "1+2=3"
                             << "abc"
                             << "abc.txt" << QByteArray("1+2=3\r\n");
        QTest::newRow("abc.txt") << "1+2=3"
                                 << "abc.txt"
                                 << "abc.txt" << QByteArray("1+2=3\r\n");
        QTest::newRow("账目 with Chinese results")
            << QStringLiteral("20+30*(2.3+3.8)/15+50=82.2\n合计：叁") << QStringLiteral("账目")
            << QStringLiteral("账目.txt")
            << QByteArray("20+30*(2.3+3.8)/15+50=82.2\r\n") + TotalGb18030 + "\r\n";
    }
    void savesTheSheet()
    {
        QFETCH(QString, sheet);
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(QByteArray, bytes);
        Toolbar toolbar;
        toolbar.Sheet()->setPlainText(sheet);
        toolbar.world.saveFileAnswer = toolbar.FilePath(chosen);
        toolbar.Click("SpeedButton6");
        QCOMPARE(toolbar.world.fileFilters, QStringList{Filter});
        QCOMPARE(toolbar.Files(), QStringList{written});
        QCOMPARE(ReadBytes(toolbar.FilePath(written)), bytes);
        QCOMPARE(toolbar.Sheet()->toPlainText(), sheet);
        QVERIFY(toolbar.world.messages.isEmpty());
    }

    void savesNothingWithoutASheetOrAName_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("filters");
        QTest::newRow("empty sheet") << ""
                                     << "abc" << QStringList{};
        QTest::newRow("blanks and line breaks") << " \n\t\n  "
                                                << "abc" << QStringList{};
        QTest::newRow("dialog cancelled") << "1+2=3"
                                          << "" << QStringList{Filter};
    }
    void savesNothingWithoutASheetOrAName()
    {
        QFETCH(QString, sheet);
        QFETCH(QString, chosen);
        QFETCH(QStringList, filters);
        Toolbar toolbar;
        toolbar.Sheet()->setPlainText(sheet);
        toolbar.world.saveFileAnswer = chosen.isEmpty() ? chosen : toolbar.FilePath(chosen);
        toolbar.Click("SpeedButton6");
        QCOMPARE(toolbar.world.fileFilters, filters);
        QCOMPARE(toolbar.Files(), QStringList{});
        QVERIFY(toolbar.world.messages.isEmpty());
    }

    // The question is about the file that is written, and only "是" replaces it; a file that
    // is not written is never asked about.
    void savingOverAFileAsksAboutIt_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QByteArray>("abcTxt");
        const QString replaceAbcTxt = QStringLiteral("abc.txt 已存在。\n要替换它吗？");
        QTest::newRow("abc over abc.txt, 否") << QStringList{"abc.txt"} << "abc" << false
                                              << QStringList{replaceAbcTxt} << QByteArray("old");
        QTest::newRow("abc over abc.txt, 是")
            << QStringList{"abc.txt"} << "abc" << true << QStringList{replaceAbcTxt}
            << QByteArray("1+2=3\r\n");
        QTest::newRow("abc.txt over abc.txt, 否")
            << QStringList{"abc.txt"} << "abc.txt" << false << QStringList{replaceAbcTxt}
            << QByteArray("old");
        QTest::newRow("abc beside a file abc")
            << QStringList{"abc"} << "abc" << true << QStringList{} << QByteArray("1+2=3\r\n");
        QTest::newRow("abc beside abc and abc.txt, 否")
            << QStringList{"abc", "abc.txt"} << "abc" << false << QStringList{replaceAbcTxt}
            << QByteArray("old");
    }
    void savingOverAFileAsksAboutIt()
    {
        QFETCH(QStringList, present);
        QFETCH(QString, chosen);
        QFETCH(bool, yes);
        QFETCH(QStringList, questions);
        QFETCH(QByteArray, abcTxt);
        Toolbar toolbar;
        for (const QString &name : present)
            WriteBytes(toolbar.FilePath(name), "old");
        toolbar.Sheet()->setPlainText(QStringLiteral("1+2=3"));
        toolbar.world.saveFileAnswer = toolbar.FilePath(chosen);
        toolbar.world.yesAnswer = yes;
        toolbar.Click("SpeedButton6");
        QCOMPARE(toolbar.world.questions, questions);
        QCOMPARE(ReadBytes(toolbar.FilePath(QStringLiteral("abc.txt"))), abcTxt);
        if (present.contains(QStringLiteral("abc")))
            QCOMPARE(ReadBytes(toolbar.FilePath(QStringLiteral("abc"))), QByteArray("old"));
        QVERIFY(toolbar.world.messages.isEmpty());
    }

    // The system refuses the save (a folder stands at the chosen name): the message gives its
    // reason, and what stood there stays with no temporary file left beside it. That a failed
    // save keeps an earlier file whole is the sheet file's own test.
    void failedSaveShowsTheReason()
    {
        Toolbar toolbar;
        QVERIFY(QDir(toolbar.files.path()).mkdir(QStringLiteral("abc.txt")));
        toolbar.Sheet()->setPlainText(QStringLiteral("1+2=3"));
        toolbar.world.saveFileAnswer = toolbar.FilePath(QStringLiteral("abc"));
        toolbar.Click("SpeedButton6");
        QCOMPARE(toolbar.world.messages.size(), 1);
        QVERIFY2(toolbar.world.messages.front().startsWith(QStringLiteral("Unable to write to ") +
                                                           toolbar.FilePath("abc.txt")),
                 qPrintable(toolbar.world.messages.front()));
        QCOMPARE(toolbar.Sheet()->toPlainText(), QStringLiteral("1+2=3"));
        QVERIFY(QFileInfo(toolbar.FilePath("abc.txt")).isDir());
        QCOMPARE(toolbar.Files(), QStringList{});
    }

    void importReplacesTheSheetInOneUndoStep_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("sheet");
        const QString chinese = QStringLiteral("20+30*(2.3+3.8)/15+50=82.2\n合计：叁");
        QTest::newRow("GB18030 with CR LF")
            << QByteArray("20+30*(2.3+3.8)/15+50=82.2\r\n") + TotalGb18030 + "\r\n"
            << chinese;
        QTest::newRow("UTF-8 with byte order mark")
            << QByteArray("\xEF\xBB\xBF") + chinese.toUtf8() << chinese;
        QTest::newRow("UTF-8 without byte order mark, CR LF")
            << chinese.toUtf8().replace("\n", "\r\n") << chinese;
        QTest::newRow("empty file") << QByteArray() << QString();
    }
    void importReplacesTheSheetInOneUndoStep()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, sheet);
        Toolbar toolbar;
        toolbar.EvaluateALine();
        QTest::keyClicks(toolbar.Sheet(), QStringLiteral("4*5"));
        const QString before = toolbar.Sheet()->toPlainText();
        const QStringList resultBar = toolbar.ResultBar();
        QVERIFY(!resultBar.join(QString()).isEmpty());

        toolbar.world.openFileAnswer = toolbar.FilePath(QStringLiteral("in.txt"));
        WriteBytes(toolbar.world.openFileAnswer, bytes);
        toolbar.Click("SpeedButton47");
        QCOMPARE(toolbar.world.fileFilters, QStringList{Filter});
        QCOMPARE(toolbar.Sheet()->toPlainText(), sheet);
        QCOMPARE(toolbar.ResultBar(), resultBar);
        QVERIFY(toolbar.world.messages.isEmpty());

        toolbar.Sheet()->setFocus();
        QTest::keyClick(toolbar.Sheet(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(toolbar.Sheet()->toPlainText(), before);
    }

    void failedOrCancelledImportChangesNothing_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("message");
        QTest::newRow("dialog cancelled") << ""
                                          << "";
        QTest::newRow("missing file") << "missing.txt"
                                      << "无法打开文件";
    }
    void failedOrCancelledImportChangesNothing()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, message);
        Toolbar toolbar;
        toolbar.Sheet()->setPlainText(QStringLiteral("1+2=3"));
        toolbar.world.openFileAnswer = chosen.isEmpty() ? chosen : toolbar.FilePath(chosen);
        toolbar.Click("SpeedButton47");
        QCOMPARE(toolbar.Sheet()->toPlainText(), QStringLiteral("1+2=3"));
        if (message.isEmpty())
            QVERIFY(toolbar.world.messages.isEmpty());
        else
            QVERIFY2(toolbar.world.messages.join(QString()).startsWith(message),
                     qPrintable(toolbar.world.messages.join(QString())));
    }

    void importOfAnOverlongLineChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray longest(LongestSheetLine, '1');
        QTest::newRow("the longest line") << "1+2\r\n" + longest << "";
        QTest::newRow("one more in line 2")
            << "1+2\r\n" + longest + "1\r\n3" << OverlongLineMessage(2);
        QTest::newRow("one more in line 1, CR only") << longest + "1\r3" << OverlongLineMessage(1);
        QTest::newRow("one line more than a sheet takes")
            << QByteArray("1+1\r\n").repeated(MostSheetLines) + "2" << TooManyLinesMessage();
    }
    void importOfAnOverlongLineChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        Toolbar toolbar;
        toolbar.Sheet()->setPlainText(QStringLiteral("1+2=3"));
        toolbar.world.openFileAnswer = toolbar.FilePath(QStringLiteral("long.txt"));
        WriteBytes(toolbar.world.openFileAnswer, bytes);
        toolbar.Click("SpeedButton47");
        if (message.isEmpty()) {
            QVERIFY(toolbar.world.messages.isEmpty());
            QCOMPARE(toolbar.Sheet()->document()->lastBlock().length() - 1, int(LongestSheetLine));
        } else {
            QCOMPARE(toolbar.world.messages, QStringList{message});
            QCOMPARE(toolbar.Sheet()->toPlainText(), QStringLiteral("1+2=3"));
        }
    }

    // A large import goes in by steps: the window paints and answers between them, and one undo
    // still brings back the sheet it replaced.
    void aLargeImportLeavesTheWindowAnswering()
    {
        Toolbar toolbar;
        toolbar.Sheet()->setPlainText(QStringLiteral("1+2=3"));
        constexpr int Lines = 200000;
        const QByteArray bytes = QByteArray("1+1\r\n").repeated(Lines - 1) + "2*3";
        toolbar.world.openFileAnswer = toolbar.FilePath(QStringLiteral("big.txt"));
        WriteBytes(toolbar.world.openFileAnswer, bytes);
        // The lines the sheet held whenever the window's event loop turned.
        QList<int> linesMeanwhile;
        QTimer turns;
        connect(&turns, &QTimer::timeout,
                [&] { linesMeanwhile << toolbar.Sheet()->blockCount(); });
        turns.start(0);
        toolbar.Click("SpeedButton47");
        turns.stop();
        QVERIFY2(std::any_of(linesMeanwhile.cbegin(), linesMeanwhile.cend(),
                             [](int lines) { return lines > 1 && lines < Lines; }),
                 "the window did not turn while the lines went in");
        QCOMPARE(toolbar.Sheet()->blockCount(), Lines);
        QCOMPARE(toolbar.Sheet()->toPlainText(), QString::fromLatin1(bytes).replace("\r\n", "\n"));
        QVERIFY(toolbar.world.messages.isEmpty());

        toolbar.Sheet()->setFocus();
        QTest::keyClick(toolbar.Sheet(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(toolbar.Sheet()->toPlainText(), QStringLiteral("1+2=3"));
    }

    void savedSheetImportsAsItWas()
    {
        Toolbar toolbar;
        const QString sheet = QStringLiteral("1+2=3\n\n  合计 = 3 \n");
        toolbar.Sheet()->setPlainText(sheet);
        toolbar.world.saveFileAnswer = toolbar.FilePath(QStringLiteral("round"));
        toolbar.Click("SpeedButton6");
        toolbar.Sheet()->clear();
        toolbar.world.openFileAnswer = toolbar.FilePath(QStringLiteral("round.txt"));
        toolbar.Click("SpeedButton47");
        QCOMPARE(toolbar.Sheet()->toPlainText(), sheet);
    }

    void dateLineFollowsTheClockAcrossMidnight()
    {
        Toolbar toolbar;
        toolbar.world.clock = QDateTime({2026, 12, 31}, {23, 59, 59});
        QTRY_COMPARE(toolbar.DateLine(), QStringLiteral("2026-12-31 星期四 23:59:59"));
        toolbar.world.clock = QDateTime({2027, 1, 1}, {0, 0, 0});
        QTRY_COMPARE(toolbar.DateLine(), QStringLiteral("2027-01-01 星期五 00:00:00"));

        // Switched off, the line hides and keeps its last text.
        auto *dateSetting = toolbar.Child<QCheckBox>(QStringLiteral("CheckBox6"));
        dateSetting->click();
        QVERIFY(!toolbar.Child<QLabel>(QStringLiteral("Label4"))->isVisible());
        QVERIFY(!toolbar.Child<QTimer>(QStringLiteral("Timer2"))->isActive());
        toolbar.world.clock = QDateTime({2027, 1, 1}, {0, 0, 5});
        QCoreApplication::processEvents();
        QCOMPARE(toolbar.DateLine(), QStringLiteral("2027-01-01 星期五 00:00:00"));

        // Switched on again, it is right at once.
        dateSetting->click();
        QVERIFY(toolbar.Child<QLabel>(QStringLiteral("Label4"))->isVisible());
        QCOMPARE(toolbar.DateLine(), QStringLiteral("2027-01-01 星期五 00:00:05"));
    }

    void aboutAndHelpOpenModallyAndStay()
    {
        Toolbar toolbar;
        toolbar.world.memory = {4ull << 30, 1ull << 30};
        QWidget *about = toolbar.ModalOf("SpeedButton42");
        QVERIFY(qobject_cast<Tf_about *>(about));
        QCOMPARE(about->windowTitle(), QStringLiteral("Tallimo"));
        QCOMPARE(Control<QLabel>(*about, QStringLiteral("PhysMem"))->text(),
                 QStringLiteral("4,194,304 KB"));
        toolbar.world.memory = {1ull << 30, 0};
        QCOMPARE(toolbar.ModalOf("SpeedButton42"), about);
        QCOMPARE(Control<QLabel>(*about, QStringLiteral("FreeRes"))->text(),
                 QStringLiteral("75 %"));

        QWidget *help = toolbar.ModalOf("SpeedButton46");
        QVERIFY(qobject_cast<Tf_calchelp *>(help));
        QCOMPARE(help->windowTitle(), QStringLiteral("Help"));
        QCOMPARE(toolbar.ModalOf("SpeedButton46"), help);
    }

    // The about and help windows stay on top while a window they block does, so that they are
    // not hidden under it; otherwise they are normal windows.
    void aboutAndHelpOpenAboveAWindowOnTop_data()
    {
        QTest::addColumn<QByteArray>("button");
        QTest::newRow("主页") << QByteArray("SpeedButton42");
        QTest::newRow("帮助") << QByteArray("SpeedButton46");
    }
    void aboutAndHelpOpenAboveAWindowOnTop()
    {
        QFETCH(QByteArray, button);
        Toolbar toolbar;
        QVERIFY(!toolbar.ModalOf(button)->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QWidget tools(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
        tools.show();
        QWidget *modal = toolbar.ModalOf(button);
        QVERIFY(modal->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(modal->parentWidget(), toolbar.form.get());
        tools.hide();
        QVERIFY(!toolbar.ModalOf(button)->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
};

QTEST_MAIN(TestToolbarCommands)
#include "test_toolbarcommands.moc"
