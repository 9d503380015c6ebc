// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/voice/sinkclipplayer.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>

#include "app/voice/clipnames.h"
#include "app/voice/clipsamples.h"

namespace tallimo {

namespace {

// How far ahead of the play position the stream is written at first: enough to outlast most
// delays of the feeding, and little enough that a key's echo starts within 50 ms of the key.
// PulseAudio and PipeWire grant three quarters of it, and Qt asks for what was granted when a
// stream is started again: every stream is asked for the length chosen, or each one opened afresh
// would be shorter than the last.
constexpr int StreamMicroseconds = 40000;
// A stream that ran dry is opened afresh twice as long, up to this: on a machine too busy to keep
// the stream fed, the clips come later but whole. Qt answers a stream that ran dry by asking the
// sound server to drain it, and PipeWire's PulseAudio service takes nothing more from a drained
// stream: such a stream is only good for opening afresh anyway.
constexpr int LongestStreamMicroseconds = 160000;
constexpr int FeedMilliseconds = 5;
// After this long without a clip the stream is paused with its silence in it, so that a quiet
// program does not wake up two hundred times a second; a stream made longer is made short again
// then, for the next key's echo.
constexpr int QuietMilliseconds = 2000;
// A stream that has not run dry and takes nothing for this long is stalled: a sound server on a
// busy machine leaves a stream alone for up to a second (most of all a stream just opened) and
// then takes it up again where it was; opening it afresh would only lose what it holds and start
// that wait again.
constexpr int StallMilliseconds = 2000;
// A stream that fell behind keeps at most this many clips waiting; beyond them the oldest waiting
// clip is left out, so that a sound server that stopped for seconds does not come back to a long
// tail of stale echoes.
constexpr std::size_t MaxWaitingClips = 16;

QAudioFormat ClipFormat()
{
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

// Ends an output that has had a stream. Qt's PulseAudio output answers a stream that ran dry with
// a drain whose completion reaches the output object later, from the sound system's own thread,
// even once the stream is closed: deleting the object would crash the program then. It is left
// to the end of the program, stopped. The completion is also posted as an event to the object's
// thread, and a post that meets the end of that thread crashes the program too: the player's
// thread ends with the player, so the object first goes to the program's main thread. Stopping
// it then waits for whatever the sound system's thread is reporting.
void SetAside(std::unique_ptr<QAudioSink> sink)
{
    if (const QCoreApplication *application = QCoreApplication::instance())
        sink->moveToThread(application->thread());
    sink->stop();
    (void)sink.release();
}

}  // namespace

SinkClipPlayer::SinkClipPlayer() : streamMicroseconds_(StreamMicroseconds) {}

SinkClipPlayer::~SinkClipPlayer()
{
    if (sink_)
        SetAside(std::move(sink_));
}

void SinkClipPlayer::Play(const QString &name) { Play(name, std::chrono::steady_clock::now()); }

void SinkClipPlayer::Play(const QString &name, std::chrono::steady_clock::time_point askedAt)
{
    const QString resource = ClipResource(name);
    if (resource.isEmpty() || !OpenOutput())
        return;
    if (!clipsDue_.empty()) {
        // The last clip is cut where its writing has got to, but not before it has had the time
        // between the two asks: in a stream that fell behind, or with clips handed over late, it
        // has not been written that far.
        Cut &last = clipsDue_.back();
        const qsizetype reached = clipsDue_.size() == 1 ? written_ : 0;
        const qsizetype frameBytes = format_.bytesPerFrame();
        const auto between = std::chrono::duration_cast<std::chrono::microseconds>(
            std::max(askedAt - lastAskedAt_, std::chrono::steady_clock::duration::zero()));
        const qsizetype due = format_.bytesForDuration(between.count()) / frameBytes * frameBytes;
        last.end = std::min(last.samples.size(), std::max(reached, due));
        if (clipsDue_.size() > MaxWaitingClips)
            clipsDue_.erase(clipsDue_.begin() + 1);
    }
    const QByteArray &samples = clips_[resource];
    clipsDue_.push_back({samples, samples.size()});
    lastAskedAt_ = askedAt;
    sinceLastClip_.start();
    if (paused_) {
        // Qt resumes only a stream it takes for suspended; a late report of the sound system may
        // have marked it otherwise while it stays paused.
        if (sink_->state() != QAudio::SuspendedState)
            sink_->suspend();
        sink_->resume();
        paused_ = false;
        sinceTaken_.start();
    }
    Feed();
    if (!feeder_->isActive())
        feeder_->start();
}

void SinkClipPlayer::Prepare()
{
    if (sink_ || !OpenOutput())
        return;
    FillWithSilence();
    Pause();
}

void SinkClipPlayer::FillWithSilence()
{
    fed_ = true;
    stream_->write(Silence(format_, sink_->bytesFree() / format_.bytesPerFrame() *
                                        format_.bytesPerFrame()));
}

void SinkClipPlayer::Reopen()
{
    // Restarting a running stream deletes its writing end while the sound system's thread may be
    // reporting the stream's underrun through it; stopping the stream first stops those reports
    // before anything goes.
    sink_->stop();
    if (!StartStream())
        feeder_->stop();
}

void SinkClipPlayer::Pause()
{
    feeder_->stop();
    sink_->suspend();
    paused_ = true;
}

void SinkClipPlayer::Stop()
{
    clipsDue_.clear();
    written_ = 0;
}

bool SinkClipPlayer::OpenOutput()
{
    if (sink_ && sink_->state() == QAudio::StoppedState) {
        // The sound system went away, or a fresh stream could not be had; start afresh with the
        // next output found.
        feeder_.reset();
        SetAside(std::move(sink_));
        stream_ = nullptr;
    }
    if (sink_)
        return true;
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull())
        return false;
    QAudioFormat format = ClipFormat();
    if (!output.isFormatSupported(format))
        format = output.preferredFormat();
    if (format != format_ || clips_.empty()) {
        format_ = format;
        DecodeClips();
    }
    sink_ = std::make_unique<QAudioSink>(output, format_);
    // What was due on the output that went away is not played on the next.
    clipsDue_.clear();
    written_ = 0;
    paused_ = false;
    if (!StartStream()) {
        // It never had a stream, so nothing of the sound system refers to it.
        sink_.reset();
        return false;
    }
    feeder_ = std::make_unique<QTimer>();
    feeder_->setTimerType(Qt::PreciseTimer);
    feeder_->setInterval(FeedMilliseconds);
    QObject::connect(feeder_.get(), &QTimer::timeout, [this] { Feed(); });
    return true;
}

bool SinkClipPlayer::StartStream()
{
    sink_->setBufferSize(format_.bytesForDuration(streamMicroseconds_));
    stream_ = sink_->start();
    fed_ = false;
    sinceTaken_.start();
    return stream_ != nullptr;
}

void SinkClipPlayer::DecodeClips()
{
    clips_.clear();
    QDirIterator files(QStringLiteral(":/clips"));
    while (files.hasNext()) {
        QFile file(files.next());
        if (file.open(QIODevice::ReadOnly))
            clips_[file.fileName()] = ClipSamples(file.readAll(), format_);
    }
}

void SinkClipPlayer::Feed()
{
    if (sink_->state() == QAudio::StoppedState) {
        // The sound system went away; the next clip looks for an output afresh.
        feeder_->stop();
        return;
    }
    // A stream is idle when it is new, and again once it has run dry.
    const bool ranDry = fed_ && sink_->state() == QAudio::IdleState;
    if (ranDry || sinceTaken_.hasExpired(StallMilliseconds)) {
        if (ranDry) {
            streamMicroseconds_ = std::min(2 * streamMicroseconds_, LongestStreamMicroseconds);
        } else {
            // What the stalled stream holds is dropped with it, so the clip is written again from
            // where the stream stopped taking it; a stream that ran dry has played all it had.
            written_ -= std::min(written_, sink_->bufferSize());
        }
        Reopen();
        if (sink_->state() == QAudio::StoppedState)
            return;
    }
    const int frameBytes = format_.bytesPerFrame();
    qsizetype free = sink_->bytesFree() / frameBytes * frameBytes;
    if (free > 0) {
        sinceTaken_.start();
        fed_ = true;
    }
    // The stream is kept full: the clips' samples first, silence after them, so that it never
    // runs dry and the server never has to take back what it already mixed.
    free = WriteClips(free);
    if (!clipsDue_.empty() && written_ < clipsDue_.back().end)
        return;
    if (sinceLastClip_.hasExpired(QuietMilliseconds)) {
        if (streamMicroseconds_ != StreamMicroseconds) {
            streamMicroseconds_ = StreamMicroseconds;
            Reopen();
            if (sink_->state() != QAudio::StoppedState)
                FillWithSilence();
        }
        Pause();
        return;
    }
    if (free > 0)
        stream_->write(Silence(format_, free));
}

qsizetype SinkClipPlayer::WriteClips(qsizetype free)
{
    while (!clipsDue_.empty()) {
        const Cut &clip = clipsDue_.front();
        if (written_ >= clip.end) {
            // The last clip stays, written to its end, for the next one to know where it stands.
            if (clipsDue_.size() == 1)
                return free;
            clipsDue_.pop_front();
            written_ = 0;
            continue;
        }
        const qsizetype wanted = std::min(free, clip.end - written_);
        const qint64 took =
            std::max<qint64>(0, stream_->write(clip.samples.constData() + written_, wanted));
        written_ += took;
        free -= took;
        if (took < wanted || free == 0)
            return 0;
    }
    return free;
}

}  // namespace tallimo
