// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The clips a window under test plays. The window hands every clip to its player on the player's
// own thread, a moment after the key or the button: a test collects them here and waits for
// them with QTRY_COMPARE.

#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

#include "common/clipplayer.h"

namespace tallimo {

class HeardClips {
public:
    // The clips so far without their "_wav", separated by blanks.
    QString Joined() const
    {
        const QMutexLocker lock(&mutex_);
        return clips_.join(u' ');
    }

    int Stops() const
    {
        const QMutexLocker lock(&mutex_);
        return stops_;
    }

    // A player that notes its clips and its stops here.
    struct Player final : ClipPlayer {
        HeardClips &heard;
        explicit Player(HeardClips &h) : heard(h) {}
        void Play(const QString &name) override
        {
            const QMutexLocker lock(&heard.mutex_);
            heard.clips_ << name.chopped(4);
        }
        void Stop() override
        {
            const QMutexLocker lock(&heard.mutex_);
            ++heard.stops_;
        }
    };

private:
    mutable QMutex mutex_;
    QStringList clips_;
    int stops_ = 0;
};

}  // namespace tallimo
