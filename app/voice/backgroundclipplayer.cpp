// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/voice/backgroundclipplayer.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QThread>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <utility>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace tallimo {

namespace {

// How long the end of the program waits for the player to close its sound output.
constexpr int CloseGraceMilliseconds = 500;

// The niceness the sound server gives itself.
[[maybe_unused]] constexpr int SoundPriority = -11;

// Players left behind inside the sound system that have not come back from it.
std::atomic<int> stuckPlayers{0};

}  // namespace

int EndOfProgram(int status)
{
    if (stuckPlayers.load() > 0) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}

// The requests not yet handed to the player. The thread holds them too, so a thread left behind
// at the end never reads freed memory.
struct BackgroundClipPlayer::Requests {
    std::mutex mutex;
    std::deque<std::function<void(ClipPlayer &)>> waiting;
    // Whether the thread has been woken for the waiting requests and not yet taken them all.
    bool wakeUpPosted = false;
    bool closing = false;
    bool finished = false;
    bool leftBehind = false;
};

class BackgroundClipPlayer::Thread final : public QThread {
public:
    Thread(std::unique_ptr<ClipPlayer> player, std::shared_ptr<Requests> requests)
        : player_(std::move(player)), requests_(std::move(requests))
    {
        receiver_ = new QObject;
        receiver_->moveToThread(this);
    }

    // Hands the waiting requests to the player, in the thread.
    void WakeUp()
    {
        QMetaObject::invokeMethod(
            receiver_, [this] { HandleWaiting(); }, Qt::QueuedConnection);
    }

protected:
    void run() override
    {
        RaisePriority();
        exec();
        delete receiver_;
        // The player's audio objects belong to this thread and go with it.
        player_.reset();
        const std::lock_guard<std::mutex> lock(requests_->mutex);
        requests_->finished = true;
        if (requests_->leftBehind)
            --stuckPlayers;
    }

private:
    // The stream is written a few tens of milliseconds ahead of what plays: on a machine whose
    // cores are all busy, a thread of ordinary priority may wait longer than that for its turn,
    // and the listener hears a gap. The thread asks for the priority the sound server gives its
    // own threads, where the system allows it; the sound system's threads it starts inherit it.
    static void RaisePriority()
    {
#ifdef Q_OS_LINUX
        (void)setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), SoundPriority);
#endif
    }

    void HandleWaiting()
    {
        for (;;) {
            std::function<void(ClipPlayer &)> request;
            {
                const std::lock_guard<std::mutex> lock(requests_->mutex);
                if (requests_->closing || requests_->waiting.empty()) {
                    requests_->wakeUpPosted = false;
                    return;
                }
                request = std::move(requests_->waiting.front());
                requests_->waiting.pop_front();
            }
            // A clip the sound system refuses is dropped, as one it loses would be: nothing that
            // goes wrong in the player may end the program.
            try {
                request(*player_);
            } catch (...) {
            }
        }
    }

    std::unique_ptr<ClipPlayer> player_;
    std::shared_ptr<Requests> requests_;
    QObject *receiver_ = nullptr;
};

BackgroundClipPlayer::BackgroundClipPlayer(std::unique_ptr<ClipPlayer> player)
    : requests_(std::make_shared<Requests>()), thread_(new Thread(std::move(player), requests_))
{
    thread_->setObjectName(QStringLiteral("ClipPlayer"));
    thread_->start();
    // The output is opened while nothing waits for it: the first key's echo is then as quick as
    // the next one's.
    Post([](ClipPlayer &running) { running.Prepare(); }, false);
}

BackgroundClipPlayer::~BackgroundClipPlayer()
{
    {
        const std::lock_guard<std::mutex> lock(requests_->mutex);
        requests_->closing = true;
        requests_->waiting.clear();
    }
    thread_->quit();
    thread_->wait(QDeadlineTimer(CloseGraceMilliseconds));
    {
        const std::lock_guard<std::mutex> lock(requests_->mutex);
        if (!requests_->finished) {
            // The player is stuck inside the sound system. Deleting a running thread would abort
            // the program, and waiting could last for ever: the thread is left to end on its
            // own, and cleans up after itself should the program still be running then.
            requests_->leftBehind = true;
            ++stuckPlayers;
            QObject::connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);
            return;
        }
    }
    thread_->wait();
    delete thread_;
}

void BackgroundClipPlayer::Play(const QString &name)
{
    // The thread may hand the clip over late: the player is told when it was asked for.
    Post([name, askedAt = std::chrono::steady_clock::now()](
             ClipPlayer &player) { player.Play(name, askedAt); },
         false);
}

void BackgroundClipPlayer::Stop()
{
    Post([](ClipPlayer &player) { player.Stop(); }, true);
}

void BackgroundClipPlayer::Post(std::function<void(ClipPlayer &)> request, bool silences)
{
    bool wakeUp = false;
    {
        const std::lock_guard<std::mutex> lock(requests_->mutex);
        if (silences) {
            // The clips still waiting would only be cut by it.
            requests_->waiting.clear();
        } else if (requests_->waiting.size() >= MaxPendingRequests) {
            return;
        }
        requests_->waiting.push_back(std::move(request));
        wakeUp = !std::exchange(requests_->wakeUpPosted, true);
    }
    if (wakeUp)
        thread_->WakeUp();
}

}  // namespace tallimo
