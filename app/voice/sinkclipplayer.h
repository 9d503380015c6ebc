// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <chrono>
#include <deque>
#include <map>
#include <memory>

#include "common/clipplayer.h"

class QAudioSink;
class QIODevice;
class QTimer;

namespace tallimo {

// Plays the embedded clips on one output stream that stays open: the clips are decoded into the
// stream's format once, on the first clip, and the stream is kept written as far ahead of what
// plays as the sound server takes (it is asked for 40 ms), with the samples of the clip playing and
// silence where none plays. A new clip cuts the last one where its writing has got to, which bounds
// how late a key's echo starts, but never before the last one has had the time that passed between
// the two: where the stream fell behind (the machine or the sound server busy for a moment), the
// clips keep their order and their spacing, later, and none is lost. The stream so never runs dry
// between clips, and the sound server never takes back what it mixed. After 2 s without a clip it
// is paused with its silence in it, and the next clip resumes it; a stream that took nothing for 2
// s, or for 150 ms once it has run dry, is stalled and opened afresh, asking for the same length as
// the first.
//
// Nothing touches the sound system before Prepare or the first clip, and every audio object is
// made by the thread that calls it, so the player may be made on one thread and used on another.
// Prepare opens the stream and pauses it with silence in it, as after a quiet spell: the first
// clip then only resumes it.
// Where the machine has no audio output the clips are dropped without a word, and the output is
// looked for again on the next clip.
class SinkClipPlayer final : public ClipPlayer {
public:
    SinkClipPlayer();
    ~SinkClipPlayer() override;

    void Play(const QString &name) override;
    void Play(const QString &name, std::chrono::steady_clock::time_point askedAt) override;
    void Stop() override;
    void Prepare() override;

private:
    // A clip to be written, up to where the next one cuts it.
    struct Cut {
        QByteArray samples;
        qsizetype end;
    };

    bool OpenOutput();
    void Pause();
    bool StartStream();
    void DecodeClips();
    void Feed();
    // Writes what is due of the clips into the free bytes of the stream; what is left free.
    qsizetype WriteClips(qsizetype free);

    QAudioFormat format_;
    // The samples of each clip by its resource path.
    std::map<QString, QByteArray> clips_;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice *stream_ = nullptr;
    std::unique_ptr<QTimer> feeder_;
    // The clip being written first, then those waiting for it to end, in the order asked for.
    std::deque<Cut> clipsDue_;
    // How much of the first clip due has been written.
    qsizetype written_ = 0;
    QElapsedTimer sinceLastClip_;
    // When the last clip was asked for.
    std::chrono::steady_clock::time_point lastAskedAt_;
    // Whether the stream was paused for the quiet: the sink's own state may have been changed
    // since by a late report of the sound system.
    bool paused_ = false;
    // Whether the stream has run dry since it was started.
    bool ranDry_ = false;
    // Since the stream last took samples.
    QElapsedTimer sinceTaken_;
};

}  // namespace tallimo
