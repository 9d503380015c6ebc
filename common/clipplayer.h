// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <chrono>

namespace tallimo {

// Plays the recorded clips by their catalogue names ("eqr_wav"), matched without regard to case;
// a name that is no clip plays nothing. Play returns at once and cuts the clip still playing;
// the last clip plays to its end unless Stop silences it.
class ClipPlayer {
public:
    virtual ~ClipPlayer() = default;

    virtual void Play(const QString &name) = 0;
    virtual void Stop() = 0;

    // Gets ready to play, so that the first clip starts as soon as the others: a player with an
    // output to open opens it now.
    virtual void Prepare() {}

    // The clip asked for at the moment given, handed over later (by a player on another thread
    // that was kept waiting): a player that can keeps the clips as far apart as they were asked
    // for.
    virtual void Play(const QString &name, std::chrono::steady_clock::time_point askedAt)
    {
        (void)askedAt;
        Play(name);
    }
};

}  // namespace tallimo
