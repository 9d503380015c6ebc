// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The voice as a listener hears it, on a sound server of the test's own (PulseAudio, or PipeWire
// with its PulseAudio service, as TALLIMO_SOUND_SERVER names it) at its default settings: the real
// player plays into the server's null sink, whose monitor is recorded and searched for the clips.
// Skips where that server cannot run.

#include <QProcess>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <memory>

#include "app/voice/backgroundclipplayer.h"
#include "tests/support/recordedvoice.h"
#include "tests/support/soundserver.h"

using namespace tallimo;

namespace {

// The argument that makes the test program the program that ends while a player is stuck.
constexpr char EndWhileStuckArgument[] = "--end-while-stuck";
// Not 0, so that a status the end makes up cannot pass for it.
constexpr int EndWhileStuckStatus = 3;

}  // namespace

class TestHeardVoice : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        const QString server = SoundServer::NameOf(server_.kind());
        const QString why = server_.Start();
        if (!why.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no %1 server can run here: %2").arg(server, why)));
        qInfo("on %s", qPrintable(server));
        const QString wrong = voice_.Start(server_.Address());
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    // Keys typed a while apart are each echoed at once: the first comes right after the player was
    // made, which opens the sound output meanwhile; the fourth comes after the output has been
    // quiet for seconds.
    void keysAreEchoedAtOnce() { Measure(&TestHeardVoice::EchoKeys); }

    // 12345 evaluated: the equals clip, then 壹万贰千叁佰肆拾伍 at the 280 ms rate. Every clip is
    // heard, in order, for as long as it is due; the second time as the first.
    void aReadOutIsHeardWhole_data()
    {
        QTest::addColumn<int>("time");
        QTest::newRow("first") << 1;
        QTest::newRow("second") << 2;
    }

    void aReadOutIsHeardWhole() { Measure(&TestHeardVoice::ReadOut12345); }

    // A sound server that stops answering holds up neither the clips nor the end: a player made
    // then sticks in the server on its first clip, while every call on it returns at once and it
    // is left behind when it goes. Once the server is back, so is the voice.
    void aHungServerHoldsNothingUp()
    {
        server_.Suspend();
        {
            const auto stuck = heard::RecordedVoice::RealPlayer();
            stuck->Play(QStringLiteral("eqr_wav"));
            QTest::qWait(300);  // it is waiting for the server now
            for (int i = 0; i < 3 * int(BackgroundClipPlayer::MaxPendingRequests); ++i)
                stuck->Play(QStringLiteral("%1_wav").arg(i % 10));
            stuck->Stop();
        }
        server_.Resume();
        QTest::qWait(300);  // the server catches up
        QVERIFY(voice_.RecordAfresh());
        QVERIFY(voice_.HeardWithin(QStringLiteral("9_wav"), 5000));
    }

    // The program ends, and ends well, while a player is stuck inside a hung server: the sound
    // system's own clean-up at the end would abort on the lock the player waits on.
    void theProgramEndsWhileAPlayerIsStuck()
    {
        QProcess program;
        program.start(QCoreApplication::applicationFilePath(),
                      {QString::fromLatin1(EndWhileStuckArgument)});
        QVERIFY(program.waitForStarted());
        QVERIFY(QTest::qWaitFor([&program] { return program.canReadLine(); }, 20000));
        QCOMPARE(program.readLine(), QByteArray("playing\n"));
        server_.Suspend();
        program.write("go on\n");
        const bool ended = program.waitForFinished(20000);
        server_.Resume();
        QVERIFY(ended);
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        // What the program returns, not what the end made of it.
        QCOMPARE(program.exitCode(), EndWhileStuckStatus);
    }

    // A stall of the server makes the output run dry, and Qt's output reports on that later,
    // from the sound system's thread, even to an output that has gone: players made and ended
    // around stalls, as at the end of the program, must not crash it.
    void playersEndRightAfterAStall()
    {
        for (int i = 0; i < 20; ++i) {
            const auto player = heard::RecordedVoice::RealPlayer();
            player->Play(QStringLiteral("1_wav"));
            QTest::qWait(100);
            server_.Suspend();
            QTest::qWait(150);
            server_.Resume();
            QTest::qWait(i % 5 * 3);
        }
    }

private:
    // A measurement through the sound server is taken up to five times, until one passes: on a
    // machine busy with builds, a stall of the whole system (100 ms and more on two cores) drains
    // any output of a few tens of milliseconds and garbles the recording. A fault of the voice
    // fails every time.
    void Measure(QString (TestHeardVoice::*measurement)())
    {
        QString wrong;
        for (int attempt = 1; attempt <= 5; ++attempt) {
            wrong = (this->*measurement)();
            if (wrong.isEmpty())
                return;
            qInfo("attempt %d: %s", attempt, qPrintable(wrong));
        }
        QFAIL(qPrintable(wrong));
    }

    // What was wrong, or nothing.
    QString EchoKeys()
    {
        QStringList wrong;
        for (const heard::Found &clip :
             voice_.EchoKeys({"1_wav", "add_wav", "yuan_wav", "7_wav"}, {700, 700, 3500, 700})) {
            qInfo("%s: echo after %.1f ms, likeness %.3f, envelope %.3f, loudness %.2f",
                  qPrintable(clip.name), clip.Lateness() * 1000, clip.likeness,
                  clip.envelopeLikeness, clip.loudness);
            // The onset is trusted where the clip's beginning was found.
            if (clip.likeness < 0.9 || !clip.Heard() || clip.Lateness() >= 0.050)
                wrong << clip.name;
        }
        return wrong.join(u' ');
    }

    QString ReadOut12345()
    {
        const heard::HeardReadOut readOut = voice_.ReadOut12345();
        QStringList heard;
        QStringList wrong;
        for (const heard::Found &clip : readOut.clips) {
            heard << clip.name.chopped(4);
            qInfo("%s: after %.1f ms, heard %.3f s, likeness %.3f, envelope %.3f, loudness %.2f",
                  qPrintable(clip.name), 1000 * clip.Lateness(), double(clip.heard) / heard::Rate,
                  clip.likeness, clip.envelopeLikeness, clip.loudness);
            if (!clip.Heard())
                wrong << clip.name;
        }
        if (heard.join(u' ') != QStringLiteral("eqr 1 wan 2 qian 3 bai 4 10 5"))
            wrong << QStringLiteral("heard in this order: ") + heard.join(u' ');
        qInfo("read-out: %.2f s of sound heard of %.2f s due", readOut.soundHeard,
              readOut.soundDue);
        if (readOut.soundHeard < 0.95 * readOut.soundDue)
            wrong << QStringLiteral("%1 s of sound heard of %2 s")
                         .arg(readOut.soundHeard)
                         .arg(readOut.soundDue);
        return wrong.join(u' ');
    }

    SoundServer server_{SoundServer::KindOfThisRun()};
    heard::RecordedVoice voice_;
};

// The program of the test that ends while a player is stuck: it plays a clip, says so, waits for
// the server to be stopped, makes a second player that sticks on its first clip, and ends.
int EndWhileStuck()
{
    const auto playing = heard::RecordedVoice::RealPlayer();
    playing->Play(QStringLiteral("1_wav"));
    QTest::qWait(500);
    std::printf("playing\n");
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        return 1;
    const auto stuck = heard::RecordedVoice::RealPlayer();
    stuck->Play(QStringLiteral("2_wav"));
    QTest::qWait(300);
    return EndWhileStuckStatus;
}

int RunTests(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], EndWhileStuckArgument) == 0)
        return EndWhileStuck();
    TestHeardVoice test;
    return QTest::qExec(&test, argc, argv);
}

// A player stuck in a hung server is left behind by a test and by the program it starts.
int main(int argc, char *argv[]) { return EndOfProgram(RunTests(argc, argv)); }
#include "test_heardvoice.moc"
