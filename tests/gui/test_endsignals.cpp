// The program started as a user starts it, then ended by a signal as a shutdown, a closed
// terminal or Ctrl+C ends it: it runs its exit procedure and leaves its settings written.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

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

}  // namespace

class TestEndSignals : public QObject {
    Q_OBJECT
private slots:
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
        // The settings file goes beside the executable: a copy in a folder of the test's own.
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString program = folder.filePath(QStringLiteral("tallimo"));
        QVERIFY(QFile::copy(QStringLiteral(TALLIMO_PROGRAM), program));

        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("HOME"), folder.path());
        // A runtime folder of its own, so that no other run of the program takes this start.
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.path());
        process.setProcessEnvironment(environment);
        process.start(program, {});
        QVERIFY(process.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(Catches(process.processId(), signal), 20000);

        ::kill(static_cast<pid_t>(process.processId()), signal);
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QFile settings(folder.filePath(QStringLiteral("setinfo.ini")));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        const QByteArray saved = settings.readAll();
        QVERIFY2(saved.startsWith("[calcform]\r\niTop=128\r\niLeft=200\r\n"), saved.constData());
    }
};

QTEST_GUILESS_MAIN(TestEndSignals)
#include "test_endsignals.moc"
