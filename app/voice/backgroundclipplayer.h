// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <cstddef>
#include <functional>
#include <memory>

#include "common/clipplayer.h"

class QThread;

namespace tallimo {

// Runs a clip player on a thread of its own, so that a sound system that stops answering can
// never hold up the window: Play and Stop only post the request and return at once. The player,
// and whatever audio objects it makes, live and die on that thread. While the player is stuck
// the requests pile up only to a small bound; further clips are dropped (a Stop still clears
// them and goes in). On destruction the thread is given a moment to close the player; a thread
// that is still stuck then is left behind, so that the program can always end.
class BackgroundClipPlayer final : public ClipPlayer {
public:
    explicit BackgroundClipPlayer(std::unique_ptr<ClipPlayer> player);
    ~BackgroundClipPlayer() override;

    BackgroundClipPlayer(const BackgroundClipPlayer &) = delete;
    BackgroundClipPlayer &operator=(const BackgroundClipPlayer &) = delete;

    void Play(const QString &name) override;
    void Stop() override;

    // More pending requests than this mean the player is not keeping up: it is stuck.
    static constexpr std::size_t MaxPendingRequests = 32;

private:
    class Thread;
    struct Requests;

    // A request that silences the player replaces the waiting ones.
    void Post(std::function<void(ClipPlayer &)> request, bool silences);

    std::shared_ptr<Requests> requests_;
    Thread *thread_ = nullptr;
};

// The status for `main` to return, given after everything of the program's own has been closed.
// While a player is left stuck inside the sound system, the program ends here instead, with that
// status and without the sound system's clean-up at the end, which would trip over the player
// (the PulseAudio client aborts, freeing a lock that the player waits on).
int EndOfProgram(int status);

}  // namespace tallimo
