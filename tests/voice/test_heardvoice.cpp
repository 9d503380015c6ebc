// The voice as a listener hears it: the real player from the audio module plays into a PulseAudio
// server of the test's own, whose null sink is recorded from its monitor, and the recording is
// searched for the clips. Skips where no PulseAudio server can run.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "app/voice/backgroundclipplayer.h"
#include "app/voice/clipnames.h"
#include "app/voice/clipplayerloader.h"
#include "app/voice/clipsamples.h"
#include "app/voice/readout.h"

using namespace tallimo;

namespace {

constexpr int Rate = 44100;
constexpr int SpeechRate = 280;
const QString SinkName = QStringLiteral("tallimo_heard");

// The argument that makes the test program the program that ends while a player is stuck.
constexpr char EndWhileStuckArgument[] = "--end-while-stuck";
// Not 0, so that a status the end makes up cannot pass for it.
constexpr int EndWhileStuckStatus = 3;

double Seconds(qint64 nanoseconds) { return nanoseconds / 1e9; }

// A PulseAudio server in a folder of its own with one null sink, 44100 Hz 16-bit mono, which is
// the default output of this process. The sink never takes back what it has played (other sinks
// rewrite the moments they still hold), so its monitor records just what a listener hears, and a
// clip whose beginning was skipped shows.
class SoundServer {
public:
    // Empty when the server runs, else why it does not.
    QString Start()
    {
        const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (pulseaudio.isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("parecord")).isEmpty())
            return QStringLiteral("pulseaudio and parecord are not installed");
        if (!folder_.isValid())
            return QStringLiteral("no temporary folder");
        const QString socket = folder_.filePath(QStringLiteral("native"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // Everything the server keeps goes to the test's folder; as root it runs as a user
        // server all the same, with a warning.
        environment.insert(QStringLiteral("HOME"), folder_.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder_.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder_.filePath("config"));
        environment.insert(QStringLiteral("PULSE_RUNTIME_PATH"), folder_.filePath("runtime"));
        environment.insert(QStringLiteral("PULSE_STATE_PATH"), folder_.filePath("state"));
        environment.remove(QStringLiteral("PULSE_SERVER"));
        environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        server_.setProcessEnvironment(environment);
        server_.setProcessChannelMode(QProcess::MergedChannels);
        server_.start(pulseaudio,
                      {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                       "--disable-shm", "--disallow-module-loading", "--log-target=stderr",
                       QStringLiteral("--load=module-null-sink sink_name=%1 rate=%2 channels=1 "
                                      "format=s16le norewinds=1")
                           .arg(SinkName)
                           .arg(Rate),
                       "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket});
        QElapsedTimer waited;
        waited.start();
        while (!QFile::exists(socket) && server_.state() != QProcess::NotRunning &&
               !waited.hasExpired(10000))
            QTest::qWait(20);
        if (!QFile::exists(socket)) {
            server_.kill();
            server_.waitForFinished();
            return QStringLiteral("pulseaudio did not start: ") +
                   QString::fromLocal8Bit(server_.readAll()).trimmed();
        }
        address_ = QStringLiteral("unix:") + socket;
        // Qt's sound output reads the server's address when it first connects.
        qputenv("PULSE_SERVER", address_.toLocal8Bit());
        return {};
    }

    ~SoundServer()
    {
        if (server_.state() == QProcess::NotRunning)
            return;
        Resume();
        server_.terminate();
        if (!server_.waitForFinished(5000))
            server_.kill();
        server_.waitForFinished();
    }

    // As a hung server: it keeps its connections but answers nothing.
    void Suspend() { ::kill(pid_t(server_.processId()), SIGSTOP); }
    void Resume() { ::kill(pid_t(server_.processId()), SIGCONT); }

    QString Address() const { return address_; }

private:
    QTemporaryDir folder_;
    QProcess server_;
    QString address_;
};

// Records the null sink's monitor with parecord. Each piece of the recording is noted with the
// time it arrived, which places the recording on the test's clock: a sample cannot arrive before
// it was played, so the earliest arrival less the length recorded before it is the latest time the
// recording can have begun. Onsets placed with it are never too early, so latencies measured
// with it are never too small.
class Recorder {
public:
    explicit Recorder(const QElapsedTimer &clock) : clock_(clock) {}

    bool Start(const QString &address)
    {
        QObject::connect(&parecord_, &QProcess::readyReadStandardOutput, [this] { Read(); });
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PULSE_SERVER"), address);
        parecord_.setProcessEnvironment(environment);
        parecord_.start(QStringLiteral("parecord"),
                        {"--raw", "--device=" + SinkName + ".monitor", "--rate=44100",
                         "--channels=1", "--format=s16le", "--latency-msec=5"});
        return parecord_.waitForStarted() && QTest::qWaitFor([this] { return !bytes_.isEmpty(); });
    }

    ~Recorder()
    {
        parecord_.kill();
        parecord_.waitForFinished();
    }

    // The recorded samples from the start and the time of the first of them, in nanoseconds.
    std::vector<float> Samples() const
    {
        std::vector<float> samples(bytes_.size() / 2);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = qFromLittleEndian<qint16>(bytes_.constData() + 2 * i) / 32768.0f;
        return samples;
    }
    qint64 Start() const { return start_; }

private:
    void Read()
    {
        bytes_ += parecord_.readAllStandardOutput();
        const qint64 now = clock_.nsecsElapsed();
        start_ = std::min(start_, now - qint64(bytes_.size() / 2) * 1000000000 / Rate);
    }

    const QElapsedTimer &clock_;
    QProcess parecord_;
    QByteArray bytes_;
    qint64 start_ = std::numeric_limits<qint64>::max();
};

// Notes the time of each clip on the way to the player.
struct TimedPlayer final : ClipPlayer {
    TimedPlayer(ClipPlayer &player, const QElapsedTimer &clock) : player(player), clock(clock) {}
    void Play(const QString &name) override
    {
        played.push_back({name, clock.nsecsElapsed()});
        player.Play(name);
    }
    void Stop() override { player.Stop(); }

    struct Played {
        QString name;
        qint64 at;
    };
    ClipPlayer &player;
    const QElapsedTimer &clock;
    std::vector<Played> played;
};

// A clip as the player writes it, 44100 Hz 16-bit mono, with its leading quiet cut off: the
// sound of the clip starts at its first sample.
std::vector<float> ClipSound(const QString &name)
{
    QFile file(ClipResource(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no clip %s", qPrintable(name));
    QAudioFormat format;
    format.setSampleRate(Rate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    const QByteArray bytes = ClipSamples(file.readAll(), format);
    std::vector<float> sound;
    for (qsizetype at = 0; at + 1 < bytes.size(); at += 2) {
        const float sample = qFromLittleEndian<qint16>(bytes.constData() + at) / 32768.0f;
        if (!sound.empty() || std::abs(sample) > 0.01f)
            sound.push_back(sample);
    }
    return sound;
}

// How alike two stretches are, from -1 to 1.
double Likeness(const float *a, const float *b, std::size_t length)
{
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < length; ++i) {
        ab += double(a[i]) * b[i];
        aa += double(a[i]) * a[i];
        bb += double(b[i]) * b[i];
    }
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
}

// How alike the loudness of two stretches runs, from -1 to 1: the correlation of their levels
// over 5 ms windows. A few milliseconds lost or shifted at a stall of the machine leave it high;
// a clip cut short, silent or another clip leave it low.
double EnvelopeLikeness(const float *a, const float *b, std::size_t length)
{
    const std::size_t window = Rate / 200;
    std::vector<double> levelsA, levelsB;
    for (std::size_t at = 0; at + window <= length; at += window) {
        double energyA = 0, energyB = 0;
        for (std::size_t i = at; i < at + window; ++i) {
            energyA += double(a[i]) * a[i];
            energyB += double(b[i]) * b[i];
        }
        levelsA.push_back(std::sqrt(energyA / window));
        levelsB.push_back(std::sqrt(energyB / window));
    }
    const auto centre = [](std::vector<double> &levels) {
        double mean = 0;
        for (const double level : levels)
            mean += level / levels.size();
        std::vector<float> centred;
        for (const double level : levels)
            centred.push_back(float(level - mean));
        return centred;
    };
    const std::vector<float> centredA = centre(levelsA), centredB = centre(levelsB);
    return Likeness(centredA.data(), centredB.data(), centredA.size());
}

// Loudness of a stretch.
double Energy(const float *samples, std::size_t length)
{
    double energy = 0;
    for (std::size_t i = 0; i < length; ++i)
        energy += double(samples[i]) * samples[i];
    return energy;
}

struct Found {
    QString name;
    qint64 played;            // when Play was called, on the test's clock
    std::size_t onset;        // where its sound starts in the recording
    std::size_t heard;        // how many of its samples sounded before the next clip cut it
    double likeness;          // of the recording there to the clip's first 50 ms
    double envelopeLikeness;  // of the recording's loudness to the clip's over what sounded
    double loudness;          // of the recording to the clip over what sounded

    // Whether the listener heard the clip whole, as loud as it is.
    bool Heard() const { return envelopeLikeness > 0.9 && loudness > 0.8 && loudness < 1.25; }
};

// Finds each clip's sound in the recording, in the order played, from its Play on: the best
// match of its first 50 ms within 200 ms after the call.
std::vector<Found> FindClips(const std::vector<TimedPlayer::Played> &played,
                             const std::vector<float> &recording, qint64 recordingStart)
{
    std::vector<Found> found;
    std::size_t searchFrom = 0;
    for (std::size_t i = 0; i < played.size(); ++i) {
        const std::vector<float> sound = ClipSound(played[i].name);
        const std::size_t head = Rate / 20;
        const qint64 expected = (played[i].at - recordingStart) * Rate / 1000000000;
        Found best{played[i].name, played[i].at, 0, 0, -1, 0, 0};
        for (std::size_t at = std::max<std::size_t>(searchFrom, std::max<qint64>(expected, 0));
             at < std::size_t(std::max<qint64>(expected, 0)) + Rate / 5 &&
             at + head < recording.size();
             ++at) {
            const double likeness = Likeness(&recording[at], sound.data(), head);
            if (likeness > best.likeness) {
                best.likeness = likeness;
                best.onset = at;
            }
        }
        searchFrom = best.onset + 1;
        found.push_back(best);
    }
    // What of each clip was heard before the next one cut it.
    for (std::size_t i = 0; i < found.size(); ++i) {
        const std::size_t length = ClipSound(found[i].name).size();
        const std::size_t end = i + 1 < found.size() ? found[i + 1].onset : recording.size();
        found[i].heard = std::min(length, end - found[i].onset);
        const float *heard = &recording[found[i].onset];
        const std::vector<float> sound = ClipSound(found[i].name);
        found[i].envelopeLikeness = EnvelopeLikeness(heard, sound.data(), found[i].heard);
        found[i].loudness = Energy(heard, found[i].heard) / Energy(sound.data(), found[i].heard);
    }
    return found;
}

// Seconds of sound in the stretch: the 10 ms windows louder than a whisper.
double SoundSeconds(const float *samples, std::size_t length)
{
    const std::size_t window = Rate / 100;
    int loud = 0;
    for (std::size_t at = 0; at + window <= length; at += window) {
        double energy = 0;
        for (std::size_t i = at; i < at + window; ++i)
            energy += double(samples[i]) * samples[i];
        loud += std::sqrt(energy / window) > 0.01;
    }
    return loud * 0.01;
}

}  // namespace

class TestHeardVoice : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        clock_.start();
        const QString why = server_.Start();
        if (!why.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no PulseAudio server can run here: ") + why));
        recorder_ = std::make_unique<Recorder>(clock_);
        QVERIFY2(recorder_->Start(server_.Address()), "parecord records nothing");
        player_ = std::make_unique<BackgroundClipPlayer>(
            LoadClipPlayer(QStringLiteral(AUDIO_MODULE_FOLDER)));
        timed_ = std::make_unique<TimedPlayer>(*player_, clock_);
    }

    // Keys typed a while apart are each echoed at once: the first opens the sound output, the
    // fourth comes after the output has been quiet for seconds.
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
    // is left behind when it goes.
    void aHungServerHoldsNothingUp()
    {
        server_.Suspend();
        {
            BackgroundClipPlayer stuck(LoadClipPlayer(QStringLiteral(AUDIO_MODULE_FOLDER)));
            stuck.Play(QStringLiteral("eqr_wav"));
            QTest::qWait(300);  // it is waiting for the server now
            for (int i = 0; i < 3 * int(BackgroundClipPlayer::MaxPendingRequests); ++i)
                stuck.Play(QStringLiteral("%1_wav").arg(i % 10));
            stuck.Stop();
        }
        server_.Resume();
        QTest::qWait(300);  // the server catches up
        timed_->played.clear();
        timed_->Play(QStringLiteral("9_wav"));
        // The recording lags behind on a loaded machine: the clip is looked for until it is heard.
        QTRY_VERIFY_WITH_TIMEOUT(
            FindClips(timed_->played, recorder_->Samples(), recorder_->Start()).front().Heard(),
            5000);
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
            BackgroundClipPlayer p(LoadClipPlayer(QStringLiteral(AUDIO_MODULE_FOLDER)));
            p.Play(QStringLiteral("1_wav"));
            QTest::qWait(100);
            server_.Suspend();
            QTest::qWait(150);
            server_.Resume();
            QTest::qWait(i % 5 * 3);
        }
    }

private:
    // A measurement through the sound server is taken again, up to three times, when it fails:
    // on a machine shared with builds, a stall of the whole system (the first clip of a run has
    // been seen 100 ms late there) drains any 50 ms output and garbles the recording.
    void Measure(QString (TestHeardVoice::*measurement)())
    {
        QString wrong;
        for (int attempt = 1; attempt <= 3; ++attempt) {
            wrong = (this->*measurement)();
            if (wrong.isEmpty())
                return;
            qInfo("attempt %d: %s", attempt, qPrintable(wrong));
        }
        QFAIL(qPrintable(wrong));
    }

    qint64 PlayedAt(const Found &clip) const
    {
        return recorder_->Start() + qint64(clip.onset) * 1000000000 / Rate;
    }

    // What was wrong, or nothing.
    QString EchoKeys()
    {
        const QStringList keys = {"1_wav", "add_wav", "yuan_wav", "7_wav"};
        const QList<int> gaps = {700, 700, 3500, 700};
        timed_->played.clear();
        for (int i = 0; i < keys.size(); ++i) {
            timed_->Play(keys[i]);
            QTest::qWait(gaps[i]);
        }
        QStringList wrong;
        for (const Found &clip :
             FindClips(timed_->played, recorder_->Samples(), recorder_->Start())) {
            const double latency = Seconds(PlayedAt(clip) - clip.played);
            qInfo("%s: echo after %.1f ms, likeness %.3f, envelope %.3f, loudness %.2f",
                  qPrintable(clip.name), latency * 1000, clip.likeness, clip.envelopeLikeness,
                  clip.loudness);
            // The onset is trusted where the clip's beginning was found.
            if (clip.likeness < 0.9 || !clip.Heard() || latency >= 0.050)
                wrong << clip.name;
        }
        return wrong.join(u' ');
    }

    QString ReadOut12345()
    {
        EventLoopWaiter waiter;
        ReadOut readOut(*timed_, waiter, [] { return SpeechRate; });
        timed_->played.clear();
        timed_->Play(QStringLiteral("eqr_wav"));
        readOut.readstr(QStringLiteral("壹万贰千叁佰肆拾伍"));
        QTest::qWait(1200);  // the last clip plays to its end

        const std::vector<float> recording = recorder_->Samples();
        const auto found = FindClips(timed_->played, recording, recorder_->Start());
        QStringList heard;
        QStringList wrong;
        double soundDue = 0;
        for (const Found &clip : found) {
            heard << clip.name.chopped(4);
            qInfo("%s: after %.1f ms, heard %.3f s, likeness %.3f, envelope %.3f, loudness %.2f",
                  qPrintable(clip.name), 1000 * Seconds(PlayedAt(clip) - clip.played),
                  double(clip.heard) / Rate, clip.likeness, clip.envelopeLikeness, clip.loudness);
            soundDue += SoundSeconds(ClipSound(clip.name).data(), clip.heard);
            if (!clip.Heard())
                wrong << clip.name;
        }
        if (heard.join(u' ') != QStringLiteral("eqr 1 wan 2 qian 3 bai 4 10 5"))
            wrong << QStringLiteral("heard in this order: ") + heard.join(u' ');
        const std::size_t from = found.front().onset;
        const std::size_t to = found.back().onset + found.back().heard;
        const double soundHeard = SoundSeconds(&recording[from], to - from);
        qInfo("read-out: %.2f s of sound heard of %.2f s due, over %.2f s", soundHeard, soundDue,
              double(to - from) / Rate);
        if (soundHeard < 0.95 * soundDue)
            wrong << QStringLiteral("%1 s of sound heard of %2 s").arg(soundHeard).arg(soundDue);
        return wrong.join(u' ');
    }

    QElapsedTimer clock_;
    SoundServer server_;
    std::unique_ptr<Recorder> recorder_;
    std::unique_ptr<BackgroundClipPlayer> player_;
    std::unique_ptr<TimedPlayer> timed_;
};

// The program of the test that ends while a player is stuck: it plays a clip, says so, waits for
// the server to be stopped, makes a second player that sticks on its first clip, and ends.
int EndWhileStuck()
{
    BackgroundClipPlayer playing(LoadClipPlayer(QStringLiteral(AUDIO_MODULE_FOLDER)));
    playing.Play(QStringLiteral("1_wav"));
    QTest::qWait(500);
    std::printf("playing\n");
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        return 1;
    BackgroundClipPlayer stuck(LoadClipPlayer(QStringLiteral(AUDIO_MODULE_FOLDER)));
    stuck.Play(QStringLiteral("2_wav"));
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
