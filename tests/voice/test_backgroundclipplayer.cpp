// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QCoreApplication>
#include <QMutex>
#include <QSemaphore>
#include <QStringList>
#include <QTest>
#include <QThread>

#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <stdexcept>
#include <thread>

#include "app/voice/backgroundclipplayer.h"

using namespace tallimo;

namespace {

// A player that sticks on the clip "stick_wav" until the test lets it go, fails on "fail_wav",
// and notes everything it is asked, with the thread it was asked on.
struct Stuck {
    QSemaphore inside;
    QSemaphore letGo;
    QMutex mutex;
    QStringList heard;
    bool onTheCallersThread = false;
    // When each clip was asked for, as the player was told.
    std::map<QString, std::chrono::steady_clock::time_point> askedAt;

    struct Player final : ClipPlayer {
        std::shared_ptr<Stuck> stuck;
        explicit Player(std::shared_ptr<Stuck> s) : stuck(std::move(s)) {}
        void Play(const QString &name) override
        {
            Note(name);
            if (name == QStringLiteral("stick_wav")) {
                stuck->inside.release();
                stuck->letGo.acquire();
            }
            if (name == QStringLiteral("fail_wav"))
                throw std::runtime_error("the sound device is gone");
        }
        void Play(const QString &name, std::chrono::steady_clock::time_point askedAt) override
        {
            {
                const QMutexLocker lock(&stuck->mutex);
                stuck->askedAt[name] = askedAt;
            }
            Play(name);
        }
        void Stop() override { Note(QStringLiteral("stop")); }
        void Note(const QString &what)
        {
            const QMutexLocker lock(&stuck->mutex);
            stuck->heard << what;
            stuck->onTheCallersThread |= QThread::currentThread() == qApp->thread();
        }
    };

    QString Heard()
    {
        const QMutexLocker lock(&mutex);
        return heard.join(u' ');
    }
};

QString Clips(int from, int count)
{
    QStringList clips;
    for (int i = from; i < from + count; ++i)
        clips << QStringLiteral("%1_wav").arg(i);
    return clips.join(u' ');
}

}  // namespace

class TestBackgroundClipPlayer : public QObject {
    Q_OBJECT
private slots:
    // While the player is stuck the clips wait only up to the bound and the rest are dropped;
    // once it is free it gets the waiting ones in order, on its own thread.
    void clipsBeyondTheBoundAreDropped()
    {
        const auto stuck = std::make_shared<Stuck>();
        BackgroundClipPlayer player(std::make_unique<Stuck::Player>(stuck));
        player.Play(QStringLiteral("stick_wav"));
        QVERIFY(stuck->inside.tryAcquire(1, 10000));
        const int kept = int(BackgroundClipPlayer::MaxPendingRequests);
        for (int i = 0; i < kept + 100; ++i)
            player.Play(QStringLiteral("%1_wav").arg(i));
        stuck->letGo.release();
        QTRY_COMPARE(stuck->Heard(), QStringLiteral("stick_wav ") + Clips(0, kept));
        player.Play(QStringLiteral("late_wav"));
        QTRY_VERIFY(stuck->Heard().endsWith(QStringLiteral(" late_wav")));
        QVERIFY(!stuck->onTheCallersThread);
    }

    // A stop drops the clips still waiting: they would only be cut by it.
    void aStopDropsTheWaitingClips()
    {
        const auto stuck = std::make_shared<Stuck>();
        BackgroundClipPlayer player(std::make_unique<Stuck::Player>(stuck));
        player.Play(QStringLiteral("stick_wav"));
        QVERIFY(stuck->inside.tryAcquire(1, 10000));
        player.Play(QStringLiteral("1_wav"));
        player.Play(QStringLiteral("2_wav"));
        player.Stop();
        player.Play(QStringLiteral("3_wav"));
        stuck->letGo.release();
        QTRY_COMPARE(stuck->Heard(), QStringLiteral("stick_wav stop 3_wav"));
    }

    // Clips that waited for a stuck player reach it together, but with the moments they were
    // asked for, so that it can keep them as far apart as the caller did.
    void theClipsCarryWhenTheyWereAskedFor()
    {
        using namespace std::chrono;
        const auto stuck = std::make_shared<Stuck>();
        BackgroundClipPlayer player(std::make_unique<Stuck::Player>(stuck));
        player.Play(QStringLiteral("stick_wav"));
        QVERIFY(stuck->inside.tryAcquire(1, 10000));
        const auto before = steady_clock::now();
        player.Play(QStringLiteral("1_wav"));
        QThread::msleep(100);
        player.Play(QStringLiteral("2_wav"));
        QThread::msleep(50);
        const auto letGo = steady_clock::now();
        stuck->letGo.release();
        QTRY_COMPARE(stuck->Heard(), QStringLiteral("stick_wav 1_wav 2_wav"));
        const QMutexLocker lock(&stuck->mutex);
        const auto first = stuck->askedAt[QStringLiteral("1_wav")];
        const auto second = stuck->askedAt[QStringLiteral("2_wav")];
        QVERIFY(before <= first);
        QVERIFY(second - first >= milliseconds(100));
        QVERIFY(second < letGo);
    }

    // A clip the player fails on is dropped; the clips after it play.
    void aFailingClipIsDropped()
    {
        const auto stuck = std::make_shared<Stuck>();
        BackgroundClipPlayer player(std::make_unique<Stuck::Player>(stuck));
        player.Play(QStringLiteral("fail_wav"));
        player.Play(QStringLiteral("1_wav"));
        QTRY_COMPARE(stuck->Heard(), QStringLiteral("fail_wav 1_wav"));
    }

    // The end does not wait for a player that never comes back (should it wait, the player is
    // let go after a while, and the test fails instead of hanging); once the player does come
    // back, its thread ends and the player goes with it.
    void theEndLeavesAStuckPlayerBehind()
    {
        const auto stuck = std::make_shared<Stuck>();
        QSemaphore ended;
        std::atomic<bool> letGoByTheTimeOut{false};
        std::thread timeOut([&] {
            if (!ended.tryAcquire(1, 20000)) {
                letGoByTheTimeOut = true;
                stuck->letGo.release();
            }
        });
        {
            BackgroundClipPlayer player(std::make_unique<Stuck::Player>(stuck));
            player.Play(QStringLiteral("stick_wav"));
            QVERIFY(stuck->inside.tryAcquire(1, 10000));
            player.Play(QStringLiteral("1_wav"));
        }
        ended.release();
        timeOut.join();
        QVERIFY(!letGoByTheTimeOut);
        QVERIFY(stuck.use_count() > 1);
        stuck->letGo.release();
        QTRY_COMPARE(stuck.use_count(), 1);
        QCOMPARE(stuck->Heard(), QStringLiteral("stick_wav"));
    }
};

QTEST_GUILESS_MAIN(TestBackgroundClipPlayer)
#include "test_backgroundclipplayer.moc"
