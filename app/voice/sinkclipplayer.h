#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <map>
#include <memory>

#include "common/clipplayer.h"

class QAudioSink;
class QIODevice;
class QTimer;

namespace tallimo {

// Plays the embedded clips on one output stream that stays open: the clips are decoded into the
// stream's format once, on the first clip, and each clip's samples are written into the stream
// as it takes them, a new clip replacing what is still waiting of the last one. Between clips the
// stream is kept playing with a little silence, so that no clip is lost to a stream starting
// up. The stream holds about 50 ms, which bounds how late a key's echo starts.
//
// Nothing touches the sound system before the first clip, and every audio object is made by the
// thread that plays the first clip, so the player may be made on one thread and used on another.
// Where the machine has no audio output the clips are dropped without a word, and the output is
// looked for again on the next clip.
class SinkClipPlayer final : public ClipPlayer {
public:
    SinkClipPlayer();
    ~SinkClipPlayer() override;

    void Play(const QString &name) override;
    void Stop() override;

private:
    bool OpenOutput();
    void DecodeClips();
    void Feed();

    QAudioFormat format_;
    // The samples of each clip by its resource path.
    std::map<QString, QByteArray> clips_;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice *stream_ = nullptr;
    std::unique_ptr<QTimer> feeder_;
    // Whether anything went into the stream since it started or resumed.
    bool fed_ = false;
    QByteArray playing_;
    qsizetype written_ = 0;
    QElapsedTimer sinceLastClip_;
};

}  // namespace tallimo
