// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The voice as a listener hears it: the real player from the audio module plays into the null sink
// of a test's own sound server, the sink's monitor is recorded, and the recording is searched for
// the clips, each with when it was asked for and when it sounded.

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <limits>
#include <memory>
#include <vector>

#include "common/clipplayer.h"

namespace tallimo {

class BackgroundClipPlayer;

namespace heard {

// The rate the recording is made at.
constexpr int Rate = 44100;

// Records the null sink's monitor with parecord, as the left speaker plays it: the server plays the
// mono clips on both channels, and mixing them down to one would change their loudness by the
// server's own measure. It asks for the recording in 5 ms pieces, so that it is placed closely on
// the test's clock; PipeWire then runs its sound in pieces that small too.
// TALLIMO_RECORDING_MILLISECONDS names another size: with 20, PipeWire runs in the 21 ms pieces
// of a desktop's.
//
// Each piece of the recording is noted with the time it arrived, which places the recording on
// the test's clock: a sample cannot arrive before it was played, so the earliest arrival less the
// length recorded before it is the latest time the recording can have begun. Onsets placed with
// it are never too early, so latencies measured with it are never too small.
class Recorder {
public:
    explicit Recorder(const QElapsedTimer &clock) : clock_(clock) {}
    ~Recorder();

    bool Start(const QString &address);

    // The recorded samples from the start, and the time of the first of them in nanoseconds.
    std::vector<float> Samples() const;
    qint64 Start() const { return start_; }

private:
    void Read();

    // 16-bit stereo.
    static constexpr int FrameBytes = 4;

    const QElapsedTimer &clock_;
    QProcess parecord_;
    QByteArray bytes_;
    qint64 start_ = std::numeric_limits<qint64>::max();
};

// Notes the time of each clip on the way to the player.
struct TimedPlayer final : ClipPlayer {
    TimedPlayer(ClipPlayer &player, const QElapsedTimer &clock) : player(player), clock(clock) {}
    void Play(const QString &name) override;
    void Stop() override { player.Stop(); }

    struct Played {
        QString name;
        qint64 at;
    };
    ClipPlayer &player;
    const QElapsedTimer &clock;
    std::vector<Played> played;
};

// A clip found in the recording.
struct Found {
    QString name;
    qint64 played;            // when Play was called, on the test's clock
    qint64 sounded;           // when its sound started, on the test's clock
    std::size_t onset;        // where its sound starts in the recording
    std::size_t heard;        // how many of its samples sounded before the next clip cut it
    double likeness;          // of the recording there to the clip's first 50 ms
    double envelopeLikeness;  // of the recording's loudness to the clip's over what sounded
    double loudness;          // of the recording to the clip over what sounded

    // Seconds from Play to the start of its sound.
    double Lateness() const { return (sounded - played) / 1e9; }
    // Whether the listener heard the clip whole, as loud as it is.
    bool Heard() const { return Whole() && loudness > 0.8 && loudness < 1.25; }
    // Whether it sounded with nothing left out of it and no gap in it: a moment the stream runs
    // dry shortens or delays a clip without this.
    bool Whole() const { return envelopeLikeness > 0.9; }
};

// What a listener heard of a read-out.
struct HeardReadOut {
    std::vector<Found> clips;
    double soundHeard = 0;  // seconds of sound in the recording from the first clip to the last
    double soundDue = 0;    // seconds of sound the clips hold over the slots they were given
};

// The real player on a sound server, recorded.
class RecordedVoice {
public:
    RecordedVoice();
    ~RecordedVoice();

    // Starts the recording of the server at the address, and the player. Empty when both run.
    QString Start(const QString &address);

    // Starts the recording anew. A server that stalls (PipeWire) leaves out of the recording what
    // it played meanwhile, which puts what follows out of place on the test's clock: every
    // measurement below starts a recording of its own.
    bool RecordAfresh();

    // Plays each key's clip, waiting the gap after it, and finds them in the recording.
    std::vector<Found> EchoKeys(const QStringList &clips, const QList<int> &gaps);

    // 12345 evaluated: the equals clip, then 壹万贰千叁佰肆拾伍 at the 280 ms rate.
    HeardReadOut ReadOut12345();

    // Plays the clip, again each second, until it is heard whole, at most for the time given:
    // whether it was.
    bool HeardWithin(const QString &clip, int milliseconds);

    // The clips from the audio module, each on a thread of its own (as the program plays them).
    static std::unique_ptr<BackgroundClipPlayer> RealPlayer();

private:
    std::vector<Found> FindPlayed() const;

    QElapsedTimer clock_;
    QString address_;
    std::unique_ptr<Recorder> recorder_;
    std::unique_ptr<BackgroundClipPlayer> player_;
    std::unique_ptr<TimedPlayer> timed_;
};

// Seconds of sound in the stretch: the 10 ms windows louder than a whisper.
double SoundSeconds(const float *samples, std::size_t length);

}  // namespace heard

}  // namespace tallimo
