// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

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
// stream's format once, on the first clip, and the stream is kept written 40 ms ahead of what
// plays, with the samples of the clip playing and silence where none plays. A new clip cuts the
// last one where its writing has got to, which bounds how late a key's echo starts. The stream
// so never runs dry between clips, and the sound server never takes back what it mixed. After
// 2 s without a clip it is paused with its silence in it, and the next clip resumes it; a stream
// that took nothing for 150 ms, stalled, is opened afresh.
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
    QByteArray playing_;
    qsizetype written_ = 0;
    QElapsedTimer sinceLastClip_;
    // Since the stream last took samples.
    QElapsedTimer sinceTaken_;
};

}  // namespace tallimo
