// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The program started as a user starts it, then ended by a signal as a shutdown, a closed
// terminal or Ctrl+C ends it: it runs its exit procedure and leaves its settings written, or
// says on its error stream why it could not, and a second signal ends it at once.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include "tests/support/defaultsettings.h"

namespace {

// Whether the process catches the signal yet, from the mask of caught signals in its status.
bool Catches(qint64 pid, int signal)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    }
    return false;
}

// The program in a folder of the test's own, where it keeps its settings file, started until it
// catches its ending signals.
class Started {
public:
    Started()
    {
        program_ = folder_.filePath(QStringLiteral("tallimo"));
        QFile::copy(QStringLiteral(TALLIMO_PROGRAM), program_);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("HOME"), folder_.path());
        // A runtime folder of its own, so that no other run of the program takes this start.
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder_.path());
        process.setProcessEnvironment(environment);
    }
    ~Started()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    QString SettingsPath() const { return folder_.filePath(QStringLiteral("setinfo.ini")); }
    bool Start()
    {
        process.start(program_, {});
        if (!process.waitForStarted())
            return false;
        return QTest::qWaitFor(
            [this] {
                const qint64 pid = process.processId();
                return Catches(pid, SIGTERM) && Catches(pid, SIGHUP) && Catches(pid, SIGINT);
            },
            20000);
    }
    void Send(int signal) { ::kill(static_cast<pid_t>(process.processId()), signal); }

    QProcess process;

private:
    QTemporaryDir folder_;
    QString program_;
};

}  // namespace

class TestEndSignals : public QObject {
    Q_OBJECT
private slots:
    // A shutdown cannot wait for a click: the failed save goes to the error stream, and the
    // program ends with a failure status.
    void failedSaveIsReportedWithoutABox()
    {
        Started tallimo;
        QFile settings(tallimo.SettingsPath());
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[calcform]\r\niTop=5\r\n");
        settings.close();
        QVERIFY(settings.setPermissions(QFile::ReadOwner | QFile::ReadGroup));
        QVERIFY(tallimo.Start());

        tallimo.Send(SIGTERM);
        QVERIFY(tallimo.process.waitForFinished(20000));
        QCOMPARE(tallimo.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tallimo.process.exitCode(), 1);
        const QString errors = QString::fromLocal8Bit(tallimo.process.readAllStandardError());
        QVERIFY2(errors.contains("Unable to write to " + tallimo.SettingsPath() +
                                 ": the file is read-only"),
                 qPrintable(errors));
    }

    // Two signals that arrive together: the second ends the program before its exit procedure.
    void secondSignalEndsAtOnce()
    {
        Started tallimo;
        QVERIFY(tallimo.Start());
        tallimo.Send(SIGSTOP);
        tallimo.Send(SIGTERM);
        tallimo.Send(SIGHUP);
        tallimo.Send(SIGCONT);
        QVERIFY(tallimo.process.waitForFinished(20000));
        QCOMPARE(tallimo.process.exitStatus(), QProcess::CrashExit);
        QVERIFY(!QFile::exists(tallimo.SettingsPath()));
    }

    void signalRunsTheExitProcedure_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
    }
    void signalRunsTheExitProcedure()
    {
        QFETCH(int, signal);
        Started tallimo;
        QVERIFY(tallimo.Start());

        tallimo.Send(signal);
        QVERIFY(tallimo.process.waitForFinished(20000));
        QCOMPARE(tallimo.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tallimo.process.exitCode(), 0);
        QFile settings(tallimo.SettingsPath());
        QVERIFY(settings.open(QIODevice::ReadOnly));
        const QByteArray saved = settings.readAll();
        QVERIFY2(saved.startsWith(tallimo::DefaultSettingsBytes), saved.constData());
    }
};

QTEST_GUILESS_MAIN(TestEndSignals)
#include "test_endsignals.moc"
