// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <functional>

#include "common/textcodec.h"
#include "tests/support/pdftext.h"

using namespace tallimo;

namespace {

// AddressSanitizer reserves terabytes of address space for its shadow memory, so a build with it
// cannot run under a cap on the address space.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool AddressSanitizerBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool AddressSanitizerBuild = true;
#else
constexpr bool AddressSanitizerBuild = false;
#endif
#else
constexpr bool AddressSanitizerBuild = false;
#endif

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
    bool endedNormally = false;  // not by a signal
};

Run RunTool(const QStringList &arguments, const QByteArray &input = {},
            const std::function<void()> &childSetUp = {}, const QString &outputFile = {})
{
    QProcess process;
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    if (childSetUp)
        process.setChildProcessModifier(childSetUp);
    process.start(QStringLiteral(SHEET_TOOL), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError()),
            process.exitStatus() == QProcess::NormalExit};
}

// Runs the tool as on a server: no display of any kind, no platform chosen for it, no runtime
// folder.
Run RunToolWithoutDisplay(const QStringList &arguments, const QByteArray &input = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        environment.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(SHEET_TOOL), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class TestSheetTool : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("LC_ALL", "C.UTF-8"); }

    void evaluatesEveryLine()
    {
        const Run run = RunTool({}, "1+2\r\n10/4\r\n\r\n2*3+\r\n");
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("1+2=3\n10/4=2.5\n\n2*3=6\n"));
        QVERIFY(run.err.isEmpty());
    }

    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("CR LF") << QByteArray("1+2\r\n3*4\r\n");
        QTest::newRow("LF") << QByteArray("1+2\n3*4\n");
        QTest::newRow("lone CR") << QByteArray("1+2\r3*4\r");
        QTest::newRow("mixed, no end after the last line") << QByteArray("1+2\r3*4");
    }

    // The tool reads line ends as the window's import does.
    void lineEnds()
    {
        QFETCH(QByteArray, input);
        const Run run = RunTool({}, input);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("1+2=3\n3*4=12\n"));
    }

    // From a pipe each line is answered as soon as its end arrives, while the input stays open;
    // a lone CR ends a line without waiting for what follows it.
    void aPipeIsAnsweredLineByLine()
    {
        QProcess process;
        process.start(QStringLiteral(SHEET_TOOL), {});
        QVERIFY(process.waitForStarted());
        process.write("1+2\n");
        QTRY_VERIFY_WITH_TIMEOUT(process.canReadLine(), 20000);
        QCOMPARE(process.readLine(), QByteArray("1+2=3\n"));
        process.write("3*4\r");
        QTRY_VERIFY_WITH_TIMEOUT(process.canReadLine(), 20000);
        QCOMPARE(process.readLine(), QByteArray("3*4=12\n"));
        process.write("\n5/2");
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(process.readAll(), QByteArray("5/2=2.5\n"));
    }

    // A line's total counts the results of the whole sheet, later lines included, when the sheet
    // is there as a whole; from a pipe the sheet is the lines so far.
    void totalOfAFileAndOfAPipe_data()
    {
        QTest::addColumn<bool>("fromFile");
        QTest::addColumn<QString>("firstTotal");
        QTest::newRow("standard input from a file") << true << QStringLiteral("11");
        QTest::newRow("standard input from a pipe") << false << QStringLiteral("3");
    }

    void totalOfAFileAndOfAPipe()
    {
        QFETCH(bool, fromFile);
        QFETCH(QString, firstTotal);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1+2\n4*2=8\n");
        file.close();
        const QByteArray name = QFile::encodeName(path);
        const auto inputFromFile = [name] {
            const int descriptor = ::open(name.constData(), O_RDONLY);
            if (descriptor < 0 || ::dup2(descriptor, STDIN_FILENO) < 0)
                ::_exit(100);
        };
        const Run run = fromFile ? RunTool({QStringLiteral("--tsv")}, {}, inputFromFile)
                                 : RunTool({QStringLiteral("--tsv")}, "1+2\n4*2=8\n");
        QCOMPARE(run.exitCode, 0);
        const QStringList rows = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].section(QLatin1Char('\t'), 4, 4), firstTotal);
        QCOMPARE(rows[1].section(QLatin1Char('\t'), 4, 4), QStringLiteral("11"));
    }

    void aDirectoryAsStandardInputIsNamed()
    {
        const Run run = RunTool({}, {}, [] {
            const int descriptor = ::open("/", O_RDONLY | O_DIRECTORY);
            if (descriptor < 0 || ::dup2(descriptor, STDIN_FILENO) < 0)
                ::_exit(100);
        });
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.startsWith(QStringLiteral("-: Cannot read standard input")),
                 qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    void decimalsOption()
    {
        QCOMPARE(RunTool({QStringLiteral("-d"), QStringLiteral("4")}, "1/3\n").out,
                 QStringLiteral("1/3=0.3333\n"));
        QCOMPARE(RunTool({QStringLiteral("--decimals=0")}, "5/2\n").out, QStringLiteral("5/2=2\n"));
    }

    void aFailingLineIsNamedAndTheRestGoesOn()
    {
        // The expression of a line begins after the last line with a result, or after a start
        // marker, so the failed line would belong to the next one without the marker.
        const Run run = RunTool({}, QStringLiteral("2+2\n1/0\n\u22343*3\n").toUtf8());
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QStringLiteral("2+2=4\n1/0\n\u22343*3=9\n"));
        QVERIFY2(run.err.startsWith(QStringLiteral("-:2:")), qPrintable(run.err));
        QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
    }

    // A line whose tokens do not fit in the memory the tool may use fails alone, with a message;
    // the lines around it are evaluated.
    void aLineTooLargeForTheMemoryFailsAlone()
    {
        if (AddressSanitizerBuild)
            QSKIP("an address-space cap leaves AddressSanitizer no room for its shadow memory");
        QByteArray huge = "1";
        huge.reserve(20'000'001);
        while (huge.size() < 20'000'000)
            huge += "+1";
        const Run run = RunTool({},
                                "2*3\n" + huge +
                                    "\n\xe2\x88\xb4"
                                    "5*5\n",
                                [] {
                                    const rlimit limit{300'000'000, 300'000'000};
                                    setrlimit(RLIMIT_AS, &limit);
                                });
        QCOMPARE(run.exitCode, 1);
        const QStringList lines = run.out.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QStringLiteral("2*3=6"));
        QCOMPARE(lines[1].size(), huge.size());
        QCOMPARE(lines[2], QStringLiteral("\u22345*5=25"));
        QCOMPARE(run.err, QStringLiteral("-:2: not enough memory for this line\n"));
    }

    void tsvRows()
    {
        const Run run = RunTool({QStringLiteral("--tsv")}, "1\t+2\n\nCLEAR\n");
        QCOMPARE(run.exitCode, 1);
        const QStringList rows = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].section(QLatin1Char('\t'), 0, 2), QStringLiteral("1\tok\t1\\t+2=3"));
        QCOMPARE(rows[1].section(QLatin1Char('\t'), 0, 2), QStringLiteral("2\tnone\t"));
        QCOMPARE(rows[2].section(QLatin1Char('\t'), 0, 2), QStringLiteral("3\terror\tCLEAR"));
        for (const QString &row : rows)
            QCOMPARE(row.count(QLatin1Char('\t')), 5);
    }

    // The status column of each line and the exit status.
    void lineStatuses_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("statuses");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("abc") << QByteArray("abc\n") << "error" << 1;
        QTest::newRow("a note between results")
            << QByteArray("1+1\n\xe5\x90\x88\xe8\xae\xa1\n2+2\n") << "ok error ok" << 1;
        QTest::newRow("blanks and dropped command words")
            << QByteArray("\n  \nSETFONT rev\n1+1\n") << "none none none ok" << 0;
        QTest::newRow("1+1, 1/0, 2+3, 4*5")
            << QByteArray("1+1\n1/0\n2+3\n4*5\n") << "ok error ok ok" << 1;
        QTest::newRow("() three times, then 2*3")
            << QByteArray("()\n()\n()\n2*3\n") << "error error error ok" << 1;
        QTest::newRow("a sign after empty lines")
            << QByteArray("1\n\n\n\n-5\n") << "ok none none none ok" << 0;
        QTest::newRow("a sign after a dropped command word and empty lines")
            << QByteArray("1\n\nREV\n\n\n-5\n") << "ok none none none none error" << 1;
        QTest::newRow("1, NUL, +1") << QByteArray("1\0+1\n2+2\n", 9) << "error ok" << 1;
    }

    void lineStatuses()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, statuses);
        QFETCH(int, exitCode);
        const Run run = RunTool({QStringLiteral("--tsv")}, input);
        QStringList found;
        for (const QString &row : run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            found << row.section(QLatin1Char('\t'), 1, 1);
        QCOMPARE(found.join(QLatin1Char(' ')), statuses);
        QCOMPARE(run.exitCode, exitCode);
    }

    // A batch has no one to mend a failed line, so it ends its expression: the line after it
    // starts afresh. Its row carries no result texts.
    void aFailedLineEndsItsExpression()
    {
        const QByteArray input = "1+1\n1/0\n2+3\n4*5\n";
        const Run run = RunTool({}, input);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QStringLiteral("1+1=2\n1/0\n2+3=5\n4*5=20\n"));
        QCOMPARE(run.err, QStringLiteral("-:2: division by zero\n"));
        const Run tsv = RunTool({QStringLiteral("--tsv")}, input);
        QCOMPARE(tsv.out.split(QLatin1Char('\n')).at(1), QStringLiteral("2\terror\t1/0\t\t\t"));
        QCOMPARE(tsv.out.split(QLatin1Char('\n')).at(2).section(QLatin1Char('\t'), 4, 4),
                 QStringLiteral("7"));
    }

    // A line that holds a NUL character is named, not read as blanks.
    void aNulCharacterIsNamed()
    {
        const Run run = RunTool({}, QByteArray("2*3\n1\0+1\n", 9));
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, QStringLiteral("-:2: the line holds a NUL character\n"));
    }

    // The tool holds the lines an expression can still reach, not every line it has printed:
    // two million lines from a pipe run within an address space of 150 MB.
    void aLongPipeRunsInLittleMemory()
    {
        if (AddressSanitizerBuild)
            QSKIP("an address-space cap leaves AddressSanitizer no room for its shadow memory");
        QByteArray input;
        input.reserve(4'000'000);
        for (int i = 0; i < 2'000'000; ++i)
            input += "1\n";
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("out.txt"));
        const Run run = RunTool(
            {}, input,
            [] {
                const rlimit limit{150'000'000, 150'000'000};
                setrlimit(RLIMIT_AS, &limit);
            },
            output);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(QFileInfo(output).size(), qint64(2'000'000) * 4);
    }

    // One limit for a line, the memory, whether it comes from a file or a pipe: a file larger
    // than the window takes is read, as a pipe of that size is.
    void aFileLargerThanTheWindowTakesIsRead()
    {
        QByteArray line(65 * 1024 * 1024, ' ');
        line += "1+1\n";
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("long.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(line), line.size());
        file.close();
        const QString output = dir.filePath(QStringLiteral("out.txt"));
        const Run run = RunTool({path}, {}, {}, output);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(QFileInfo(output).size(), line.size() + 2);
    }

    void eachFileIsASheetOfItsOwn()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("a.txt"));
        const QString second = dir.filePath(QStringLiteral("b.txt"));
        QFile a(first);
        QVERIFY(a.open(QIODevice::WriteOnly));
        a.write("4+\n");
        a.close();
        QFile b(second);
        QVERIFY(b.open(QIODevice::WriteOnly));
        // GB18030 text: a note, then after the start marker an expression.
        b.write(*EncodeGb18030(QStringLiteral("\u5408\u8ba1\u22345*2\n")));
        b.close();
        const Run run = RunTool({first, second});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("4=4\n\u5408\u8ba1\u22345*2=10\n"));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("-d 16") << QStringList{QStringLiteral("-d"), QStringLiteral("16")};
        QTest::newRow("-d x") << QStringList{QStringLiteral("-d"), QStringLiteral("x")};
        QTest::newRow("--bogus") << QStringList{QStringLiteral("--bogus")};
        QTest::newRow("missing file") << QStringList{QStringLiteral("/nonexistent/sheet.txt")};
        QTest::newRow("/dev/zero") << QStringList{QStringLiteral("/dev/zero")};
        QTest::newRow("--pdf with no file") << QStringList{QStringLiteral("--pdf")};
        QTest::newRow("--pdf out.pdf --tsv") << QStringList{
            QStringLiteral("--pdf"), QStringLiteral("out.pdf"), QStringLiteral("--tsv")};
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        const Run run = RunTool(arguments, "1+1\n");
        QCOMPARE(run.exitCode, 2);
        QVERIFY(!run.err.isEmpty());
    }

    void help()
    {
        const Run run = RunTool({QStringLiteral("--help")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(QStringLiteral("--decimals")));
        QVERIFY(run.out.contains(QStringLiteral("--version")));
        QVERIFY(run.out.contains(QStringLiteral("A failed line ends its expression")));
        QVERIFY2(!run.out.contains(QStringLiteral(SHEET_TOOL)), qPrintable(run.out));
    }

    void version()
    {
        const Run run = RunTool({QStringLiteral("--version")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("tallimo-sheet " TALLIMO_VERSION "\n"));
    }

    // The evaluated sheet as a PDF document, written with no display; the options change its
    // results as they change the text output. Nothing goes to standard output or error.
    void pdfDocument_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("sheet");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("1+2, 3*4") << QStringList{} << QByteArray("1+2\n3*4\n")
                                  << QStringList{"1+2=3", "3*4=12", "合计15壹拾伍", "s.txt",
                                                 "第1页/共1页"};
        QTest::newRow("1+2, 3*4 --money") << QStringList{"--money"} << QByteArray("1+2\n3*4\n")
                                          << QStringList{"1+2=3", "3*4=12", "合计15壹拾伍元"};
        QTest::newRow("2/3 -d 0") << QStringList{"-d", "0"} << QByteArray("2/3\n")
                                  << QStringList{"2/3=1", "合计1壹"};
        QTest::newRow("2/3 --decimals 4")
            << QStringList{"--decimals", "4"} << QByteArray("2/3\n") << QStringList{"2/3=0.6667"};
    }
    void pdfDocument()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, sheet);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        WriteFile(dir.filePath(QStringLiteral("s.txt")), sheet);
        const QString out = dir.filePath(QStringLiteral("out.pdf"));
        const Run run = RunToolWithoutDisplay(
            options + QStringList{"--pdf", out, dir.filePath(QStringLiteral("s.txt"))});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err, QString());
        if (!HavePdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const QString text = Unspaced(PdfText(out));
        for (const QString &piece : expected)
            QVERIFY2(text.contains(piece), qPrintable(piece + QStringLiteral(" not in ") + text));
    }

    // Each file starts a page of its own with its name in the header. A failing line is named
    // and makes the status 1, as in text output, and stands in the document as it is.
    void pdfOfSeveralFiles()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("a.txt"));
        const QString second = dir.filePath(QStringLiteral("b.txt"));
        WriteFile(first, "1+2\nCLEAR\n");
        WriteFile(second, "5*5\n");
        const QString out = dir.filePath(QStringLiteral("out.pdf"));
        const Run run = RunToolWithoutDisplay({QStringLiteral("--pdf=") + out, first, second});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith(first + QStringLiteral(":2: ")), qPrintable(run.err));
        if (!HavePdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const QString page1 = Unspaced(PdfText(out, 1, 1));
        const QString page2 = Unspaced(PdfText(out, 2, 2));
        QVERIFY2(page1.contains(QStringLiteral("a.txt")) &&
                     page1.contains(QStringLiteral("CLEAR")) &&
                     !page1.contains(QStringLiteral("5*5")),
                 qPrintable(page1));
        QVERIFY2(page2.contains(QStringLiteral("b.txt")) &&
                     page2.contains(QStringLiteral("5*5=25")) &&
                     page2.contains(QStringLiteral("第2页/共2页")),
                 qPrintable(page2));
    }

    // A document that cannot be written ends the tool with status 2 and the system's reason.
    void pdfThatCannotBeWritten_data()
    {
        QTest::addColumn<QString>("out");
        QTest::newRow("in a missing folder") << QStringLiteral("missing/out.pdf");
        QTest::newRow("a folder") << QStringLiteral("folder");
    }
    void pdfThatCannotBeWritten()
    {
        QFETCH(QString, out);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        const Run run = RunToolWithoutDisplay({"--pdf", dir.filePath(out)}, "1+2\n");
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QStringLiteral("Unable to write to ")), qPrintable(run.err));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{});
    }

    // Output that cannot be written is a failure, named on standard error, never a success.
    void writeErrors_data()
    {
        QTest::addColumn<QString>("outputFile");
        QTest::addColumn<bool>("closedPipe");
        QTest::newRow(">/dev/full") << QStringLiteral("/dev/full") << false;
        QTest::newRow("a pipe closed by its reader, SIGPIPE ignored") << QString() << true;
        QTest::newRow("a pipe closed by its reader") << QString() << true;
    }

    void writeErrors()
    {
        QFETCH(QString, outputFile);
        QFETCH(bool, closedPipe);
        const bool ignoreSigpipe = QByteArray(QTest::currentDataTag()).endsWith("ignored");
        const auto closeTheReader = [ignoreSigpipe] {
            int ends[2];
            if (::pipe(ends) != 0)
                ::_exit(100);
            ::close(ends[0]);
            ::dup2(ends[1], STDOUT_FILENO);
            std::signal(SIGPIPE, ignoreSigpipe ? SIG_IGN : SIG_DFL);
        };
        const Run run =
            RunTool({}, "1+2\n3*4\n", closedPipe ? std::function<void()>(closeTheReader) : nullptr,
                    outputFile);
        QVERIFY(run.endedNormally);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QStringLiteral("cannot write")), qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(TestSheetTool)
#include "test_sheettool.moc"
