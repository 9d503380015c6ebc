// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The window program's command line: --help and --version answer and end without a window, also
// where there is no display; an unknown option or a stray argument is a one-line usage error;
// Qt's own options are left to Qt.

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "app/commandline.h"

using namespace tallimo;

namespace {

std::vector<std::string> Arguments(const QStringList &list)
{
    std::vector<std::string> arguments;
    for (const QString &argument : list)
        arguments.push_back(argument.toStdString());
    return arguments;
}

}  // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    // Qt's options, with their values as the next argument or after "=", start the window.
    void qtOptionsStartTheWindow_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no arguments") << QStringList();
        QTest::newRow("-platform offscreen") << QStringList{"-platform", "offscreen"};
        QTest::newRow("--display :1 -reverse") << QStringList{"--display", ":1", "-reverse"};
        QTest::newRow("-session abc -style=Fusion")
            << QStringList{"-session", "abc", "-style=Fusion"};
        QTest::newRow("-qwindowgeometry --help") << QStringList{"-qwindowgeometry", "--help"};
    }
    void qtOptionsStartTheWindow()
    {
        QFETCH(QStringList, arguments);
        QVERIFY(!AnswerCommandLine(Arguments(arguments)).has_value());
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("named");
        QTest::newRow("--bogus") << QStringList{"--bogus"} << "'--bogus'";
        QTest::newRow("-reverse=1") << QStringList{"-reverse=1"} << "'-reverse=1'";
        QTest::newRow("sheet.txt") << QStringList{"sheet.txt"} << "'sheet.txt'";
        QTest::newRow("-") << QStringList{"-"} << "'-'";
        QTest::newRow("-platform xcb -x") << QStringList{"-platform", "xcb", "-x"} << "'-x'";
    }
    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        const std::optional<CommandLineAnswer> answer = AnswerCommandLine(Arguments(arguments));
        QVERIFY(answer.has_value());
        QCOMPARE(answer->exitStatus, 2);
        QVERIFY(answer->out.empty());
        const QString error = QString::fromStdString(answer->error);
        QVERIFY2(error.startsWith("tallimo: ") && error.contains(named), qPrintable(error));
        QCOMPARE(error.count('\n'), 1);
        QVERIFY(error.endsWith('\n'));
    }

    // The program itself, started by its full path where no display can be reached: the answer
    // comes at once, names the program without its path, and no window is tried.
    void answersWithoutADisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("errorStart");
        const QString version = QStringLiteral("tallimo " TALLIMO_VERSION "\n");
        QTest::newRow("--version") << QStringList{"--version"} << 0 << version << QString();
        QTest::newRow("-v") << QStringList{"-v"} << 0 << version << QString();
        QTest::newRow("--help") << QStringList{"--help"} << 0 << QString() << QString();
        QTest::newRow("-platform xcb --help")
            << QStringList{"-platform", "xcb", "--help"} << 0 << QString() << QString();
        QTest::newRow("--bogus") << QStringList{"--bogus"} << 2 << QString()
                                 << "tallimo: unknown option '--bogus'";
    }
    void answersWithoutADisplay()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, errorStart);
        QTemporaryDir home;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        environment.insert("HOME", home.path());
        environment.insert("XDG_RUNTIME_DIR", home.path());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(TALLIMO_PROGRAM), arguments);
        QVERIFY(program.waitForFinished(10000));
        const QString printed = QString::fromUtf8(program.readAllStandardOutput());
        const QString error = QString::fromUtf8(program.readAllStandardError());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), status);
        if (arguments.contains("--help")) {
            QVERIFY2(printed.startsWith("Usage: tallimo [options]\n"), qPrintable(printed));
            QVERIFY(printed.contains("--version"));
            QVERIFY(!printed.contains(TALLIMO_PROGRAM));
        } else {
            QCOMPARE(printed, out);
        }
        if (errorStart.isEmpty())
            QCOMPARE(error, QString());
        else
            QVERIFY2(error.startsWith(errorStart) && error.count('\n') == 1, qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
