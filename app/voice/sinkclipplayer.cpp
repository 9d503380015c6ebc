#include "app/voice/sinkclipplayer.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QDirIterator>
#include <QFile>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>

#include "app/voice/clipnames.h"
#include "app/voice/clipsamples.h"

namespace tallimo {

namespace {

constexpr int StreamMicroseconds = 50000;
// The silence kept waiting between clips: enough to outlast a feeding late by 25 ms, little
// enough that a key's echo is not held up behind much of it.
constexpr int SilenceMicroseconds = 30000;
constexpr int FeedMilliseconds = 5;
// After this long without a clip the stream is paused with its silence in it, so that a quiet
// program does not wake up two hundred times a second. Letting it run dry instead would cost
// the next clip its beginning on outputs that cannot take back what they played meanwhile.
constexpr int IdleMilliseconds = 3000;

QAudioFormat ClipFormat()
{
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

}  // namespace

SinkClipPlayer::SinkClipPlayer() = default;

SinkClipPlayer::~SinkClipPlayer()
{
    if (!sink_)
        return;
    sink_->stop();
    // Qt's PulseAudio output answers a stream that ran dry with a drain whose completion reaches
    // the output object later, from the sound system's own thread, even once the stream is
    // closed: deleting the object would crash the program then. It is left to the end of the
    // program, stopped.
    (void)sink_.release();
}

void SinkClipPlayer::Play(const QString &name)
{
    const QString resource = ClipResource(name);
    if (resource.isEmpty() || !OpenOutput())
        return;
    playing_ = clips_[resource];
    written_ = 0;
    sinceLastClip_.start();
    if (sink_->state() == QAudio::SuspendedState) {
        sink_->resume();
        fed_ = false;
    }
    Feed();
    if (!feeder_->isActive())
        feeder_->start();
}

void SinkClipPlayer::Stop()
{
    playing_.clear();
    written_ = 0;
}

bool SinkClipPlayer::OpenOutput()
{
    if (sink_ && sink_->state() == QAudio::StoppedState) {
        // The sound system went away, or a fresh stream could not be had; start afresh with the
        // next output found.
        feeder_.reset();
        sink_.reset();
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
    sink_->setBufferSize(format_.bytesForDuration(StreamMicroseconds));
    stream_ = sink_->start();
    fed_ = false;
    if (!stream_) {
        sink_.reset();
        return false;
    }
    feeder_ = std::make_unique<QTimer>();
    feeder_->setTimerType(Qt::PreciseTimer);
    feeder_->setInterval(FeedMilliseconds);
    QObject::connect(feeder_.get(), &QTimer::timeout, [this] { Feed(); });
    return true;
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
    if (fed_ && sink_->state() == QAudio::IdleState) {
        // The stream ran dry: the machine or the sound server stalled. Outputs that cannot take
        // back what they played meanwhile would take what comes now as late and skip it; a fresh
        // stream plays it from its beginning.
        stream_ = sink_->start();
        fed_ = false;
        if (!stream_) {
            feeder_->stop();
            return;
        }
    }
    const int frameBytes = format_.bytesPerFrame();
    const qsizetype free = sink_->bytesFree() / frameBytes * frameBytes;
    if (written_ < playing_.size()) {
        const qsizetype wanted = std::min(free, playing_.size() - written_);
        written_ += std::max<qint64>(0, stream_->write(playing_.constData() + written_, wanted));
        fed_ = true;
        return;
    }
    if (sinceLastClip_.hasExpired(IdleMilliseconds)) {
        feeder_->stop();
        sink_->suspend();
        return;
    }
    const qsizetype queued = sink_->bufferSize() - sink_->bytesFree();
    const qsizetype wanted =
        std::min(free, format_.bytesForDuration(SilenceMicroseconds) - queued) / frameBytes *
        frameBytes;
    if (wanted > 0) {
        stream_->write(Silence(format_, wanted));
        fed_ = true;
    }
}

}  // namespace tallimo
