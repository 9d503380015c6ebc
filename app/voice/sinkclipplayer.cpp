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

constexpr int kStreamMicroseconds = 50000;
constexpr int kFeedMilliseconds = 10;
// After this long without a clip the silence stops and the stream runs dry, so that a quiet
// program does not wake up a hundred times a second.
constexpr int kIdleMilliseconds = 3000;

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
    if (sink_)
        sink_->stop();
}

void SinkClipPlayer::Play(const QString &name)
{
    const QString resource = ClipResource(name);
    if (resource.isEmpty() || !OpenOutput())
        return;
    playing_ = clips_[resource];
    written_ = 0;
    sinceLastClip_.start();
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
    if (sink_ && sink_->state() == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
        // The sound system went away; start afresh with the next output found.
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
    sink_->setBufferSize(format_.bytesForDuration(kStreamMicroseconds));
    stream_ = sink_->start();
    if (!stream_) {
        sink_.reset();
        return false;
    }
    feeder_ = std::make_unique<QTimer>();
    feeder_->setTimerType(Qt::PreciseTimer);
    feeder_->setInterval(kFeedMilliseconds);
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
    const int frameBytes = format_.bytesPerFrame();
    const qsizetype free = sink_->bytesFree() / frameBytes * frameBytes;
    if (written_ < playing_.size()) {
        const qsizetype wanted = std::min(free, playing_.size() - written_);
        written_ += std::max<qint64>(0, stream_->write(playing_.constData() + written_, wanted));
        return;
    }
    if (sinceLastClip_.hasExpired(kIdleMilliseconds)) {
        feeder_->stop();
        return;
    }
    // Half the stream's length of silence keeps it from running dry between two ticks, yet a
    // new clip is not held up behind much of it.
    const qsizetype queued = sink_->bufferSize() - sink_->bytesFree();
    const qsizetype wanted =
        std::min(free, sink_->bufferSize() / 2 - queued) / frameBytes * frameBytes;
    if (wanted > 0)
        stream_->write(Silence(format_, wanted));
}

}  // namespace tallimo
