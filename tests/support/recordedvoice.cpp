// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/recordedvoice.h"

#include <QAudioFormat>
#include <QFile>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cmath>

#include "app/voice/backgroundclipplayer.h"
#include "app/voice/clipnames.h"
#include "app/voice/clipplayerloader.h"
#include "app/voice/clipsamples.h"
#include "app/voice/readout.h"
#include "tests/support/soundserver.h"

namespace tallimo::heard {

namespace {

constexpr int SpeechRate = 280;

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

// Finds each clip's sound in the recording, in the order played, from its Play on: the best
// match of its first 50 ms within 200 ms after the call.
std::vector<Found> FindClips(const std::vector<TimedPlayer::Played> &played,
                             const std::vector<float> &recording, qint64 recordingStart)
{
    std::vector<Found> found;
    std::size_t searchFrom = 0;
    for (const TimedPlayer::Played &clip : played) {
        const std::vector<float> sound = ClipSound(clip.name);
        const std::size_t head = Rate / 20;
        const qint64 expected = (clip.at - recordingStart) * Rate / 1000000000;
        Found best{clip.name, clip.at, 0, 0, 0, -1, 0, 0};
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
        best.sounded = recordingStart + qint64(best.onset) * 1000000000 / Rate;
        searchFrom = best.onset + 1;
        found.push_back(best);
    }
    // What of each clip was heard before the next one cut it.
    for (std::size_t i = 0; i < found.size(); ++i) {
        const std::vector<float> sound = ClipSound(found[i].name);
        const std::size_t end = i + 1 < found.size() ? found[i + 1].onset : recording.size();
        found[i].heard = std::min(sound.size(), end - std::min(end, found[i].onset));
        const float *heard = recording.data() + found[i].onset;
        found[i].envelopeLikeness = EnvelopeLikeness(heard, sound.data(), found[i].heard);
        found[i].loudness = Energy(heard, found[i].heard) / Energy(sound.data(), found[i].heard);
    }
    return found;
}

}  // namespace

Recorder::~Recorder()
{
    parecord_.kill();
    parecord_.waitForFinished();
}

bool Recorder::Start(const QString &address)
{
    QObject::connect(&parecord_, &QProcess::readyReadStandardOutput, [this] { Read(); });
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PULSE_SERVER"), address);
    parecord_.setProcessEnvironment(environment);
    bool named = false;
    const int pieceMilliseconds =
        qEnvironmentVariableIntValue("TALLIMO_RECORDING_MILLISECONDS", &named);
    parecord_.start(
        QStringLiteral("parecord"),
        {QStringLiteral("--raw"), QStringLiteral("--device=%1.monitor").arg(SoundServer::SinkName),
         QStringLiteral("--rate=%1").arg(Rate), "--channels=2", "--format=s16le",
         QStringLiteral("--latency-msec=%1").arg(named ? pieceMilliseconds : 5)});
    return parecord_.waitForStarted() && QTest::qWaitFor([this] { return !bytes_.isEmpty(); });
}

std::vector<float> Recorder::Samples() const
{
    std::vector<float> samples(bytes_.size() / FrameBytes);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = qFromLittleEndian<qint16>(bytes_.constData() + FrameBytes * i) / 32768.0f;
    return samples;
}

void Recorder::Read()
{
    bytes_ += parecord_.readAllStandardOutput();
    const qint64 now = clock_.nsecsElapsed();
    start_ = std::min(start_, now - qint64(bytes_.size() / FrameBytes) * 1000000000 / Rate);
}

void TimedPlayer::Play(const QString &name)
{
    played.push_back({name, clock.nsecsElapsed()});
    player.Play(name);
}

RecordedVoice::RecordedVoice() { clock_.start(); }

RecordedVoice::~RecordedVoice() = default;

QString RecordedVoice::Start(const QString &address)
{
    address_ = address;
    if (!RecordAfresh())
        return QStringLiteral("parecord records nothing");
    player_ = RealPlayer();
    timed_ = std::make_unique<TimedPlayer>(*player_, clock_);
    return {};
}

bool RecordedVoice::RecordAfresh()
{
    recorder_.reset();
    recorder_ = std::make_unique<Recorder>(clock_);
    return recorder_->Start(address_);
}

std::unique_ptr<BackgroundClipPlayer> RecordedVoice::RealPlayer()
{
    return std::make_unique<BackgroundClipPlayer>(
        LoadClipPlayer(QStringLiteral(AUDIO_MODULE_FOLDER)));
}

std::vector<Found> RecordedVoice::FindPlayed() const
{
    return FindClips(timed_->played, recorder_->Samples(), recorder_->Start());
}

std::vector<Found> RecordedVoice::EchoKeys(const QStringList &clips, const QList<int> &gaps)
{
    RecordAfresh();
    timed_->played.clear();
    for (int i = 0; i < clips.size(); ++i) {
        timed_->Play(clips[i]);
        QTest::qWait(gaps[i]);
    }
    return FindPlayed();
}

HeardReadOut RecordedVoice::ReadOut12345()
{
    EventLoopWaiter waiter;
    ReadOut readOut(*timed_, waiter, [] { return SpeechRate; });
    RecordAfresh();
    timed_->played.clear();
    timed_->Play(QStringLiteral("eqr_wav"));
    readOut.readstr(QStringLiteral("壹万贰千叁佰肆拾伍"));
    QTest::qWait(1200);  // the last clip plays to its end

    const std::vector<float> recording = recorder_->Samples();
    HeardReadOut heard;
    heard.clips = FindClips(timed_->played, recording, recorder_->Start());
    for (const Found &clip : heard.clips)
        heard.soundDue += SoundSeconds(ClipSound(clip.name).data(), clip.heard);
    const std::size_t from = heard.clips.front().onset;
    const std::size_t to = heard.clips.back().onset + heard.clips.back().heard;
    heard.soundHeard = SoundSeconds(recording.data() + from, to - std::min(to, from));
    return heard;
}

bool RecordedVoice::HeardWithin(const QString &clip, int milliseconds)
{
    QElapsedTimer waited;
    waited.start();
    while (!waited.hasExpired(milliseconds)) {
        timed_->played.clear();
        timed_->Play(clip);
        // The recording lags behind on a loaded machine: the clip is looked for until it is heard.
        if (QTest::qWaitFor([this] { return FindPlayed().front().Heard(); }, 1000))
            return true;
    }
    return false;
}

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

}  // namespace tallimo::heard
