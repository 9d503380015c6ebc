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

// How far ahead of the play position the stream is written: enough to outlast a feeding 30 ms
// late on a busy machine (where PipeWire's PulseAudio service runs a stream held only 30 ms ahead
// dry), and little enough that a key's echo starts within 50 ms of the key. PulseAudio grants
// three quarters of it, and Qt asks for what was granted when a stream is started again: every
// stream is asked for this length, or each one opened afresh would be shorter than the last.
constexpr int StreamMicroseconds = 40000;
constexpr int FeedMilliseconds = 5;
// After this long without a clip the stream is paused with its silence in it, so that a quiet
// program does not wake up two hundred times a second.
constexpr int QuietMilliseconds = 2000;
// A stream that has run dry once (Qt reported it idle) and takes nothing for this long, with
// samples waiting, is stalled: PipeWire's PulseAudio service may answer the drain that Qt asks for
// at an underrun by taking nothing more from the stream a moment later, and a stream that ran dry
// while the sound server stopped answering for a while is not played again when it comes back. Such
// a stream is opened afresh.
constexpr int DryStallMilliseconds = 150;
// A stream that has not run dry waits longer: a sound server on a busy machine leaves a stream
// alone for up to a second (most of all a stream just opened) and then takes it up again where it
// was; opening it afresh would only lose what it holds and start that wait again.
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

SinkClipPlayer::SinkClipPlayer() = default;

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
    stream_->write(Silence(format_, sink_->bytesFree() / format_.bytesPerFrame() *
                                        format_.bytesPerFrame()));
    Pause();
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
    sink_->setBufferSize(format_.bytesForDuration(StreamMicroseconds));
    stream_ = sink_->start();
    ranDry_ = false;
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
    ranDry_ |= sink_->state() == QAudio::IdleState;
    const int frameBytes = format_.bytesPerFrame();
    qsizetype free = sink_->bytesFree() / frameBytes * frameBytes;
    if (free > 0) {
        sinceTaken_.start();
    } else if (sinceTaken_.hasExpired(ranDry_ ? DryStallMilliseconds : StallMilliseconds)) {
        // What the stalled stream holds is dropped with it, so the clip is written again from
        // where the stream stopped taking it.
        written_ -= std::min(written_, sink_->bufferSize());
        // Restarting a running stream deletes its writing end while the sound system's thread may
        // be reporting the stream's underrun through it; stopping the stream first stops those
        // reports before anything goes.
        sink_->stop();
        if (!StartStream())
            feeder_->stop();
        return;
    }
    // The stream is kept full: the clips' samples first, silence after them, so that it never
    // runs dry and the server never has to take back what it already mixed.
    free = WriteClips(free);
    if (!clipsDue_.empty() && written_ < clipsDue_.back().end)
        return;
    if (sinceLastClip_.hasExpired(QuietMilliseconds)) {
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
