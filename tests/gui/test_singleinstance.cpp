// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

#include "app/singleinstance.h"

using namespace tallimo;

class TestSingleInstance : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;

    QString SocketPath() const { return folder_.filePath(QStringLiteral("tallimo.socket")); }

private slots:
    void aLaterStartShowsTheRunningWindow()
    {
        SingleInstance running(SocketPath());
        QVERIFY(running.Claim());
        QSignalSpy shown(&running, &SingleInstance::showRequested);

        SingleInstance later(SocketPath());
        QVERIFY(!later.Claim());
        QVERIFY(shown.wait(5000));
    }

    void aSocketLeftByAnEndedRunIsTakenOver()
    {
        {
            QFile left(SocketPath());
            QVERIFY(left.open(QIODevice::WriteOnly));
        }
        SingleInstance first(SocketPath());
        QVERIFY(first.Claim());
        QSignalSpy shown(&first, &SingleInstance::showRequested);

        SingleInstance later(SocketPath());
        QVERIFY(!later.Claim());
        QVERIFY(shown.wait(5000));
    }

    // Starts at the same instant, with a socket left by a crash in the way: one runs, and the
    // others find it and end.
    void startsAtTheSameInstantLeaveOne()
    {
        constexpr int Starts = 6;
        for (int round = 0; round < 40; ++round) {
            {
                QFile left(SocketPath());
                QVERIFY(left.open(QIODevice::WriteOnly));
            }
            // Each start lives on a thread of its own until all of them have claimed.
            std::atomic<int> ready{0};
            std::atomic<int> done{0};
            std::vector<std::unique_ptr<QThread>> threads;
            std::vector<int> claimed(Starts, -1);
            for (int start = 0; start < Starts; ++start) {
                threads.emplace_back(QThread::create([&, start] {
                    SingleInstance instance(SocketPath());
                    ++ready;
                    while (ready.load() < Starts)
                        QThread::yieldCurrentThread();
                    claimed[start] = instance.Claim() ? 1 : 0;
                    ++done;
                    while (done.load() < Starts)
                        QThread::yieldCurrentThread();
                }));
            }
            for (auto &thread : threads)
                thread->start();
            for (auto &thread : threads)
                QVERIFY(thread->wait(20000));
            QCOMPARE(std::count(claimed.begin(), claimed.end(), 1), 1);
            QFile::remove(SocketPath());
        }
    }

    // While the running program holds its claim, a later start does not take the socket over,
    // even before the program listens.
    void aLaterStartLeavesARunningProgramsSocket()
    {
        const int held =
            ::open(QFile::encodeName(SocketPath() + ".lock").constData(), O_RDWR | O_CREAT, 0600);
        QVERIFY(held >= 0);
        QCOMPARE(::flock(held, LOCK_EX), 0);
        {
            QFile left(SocketPath());
            QVERIFY(left.open(QIODevice::WriteOnly));
        }
        SingleInstance later(SocketPath());
        QVERIFY(!later.Claim());
        QVERIFY(QFile::exists(SocketPath()));
        ::close(held);
        SingleInstance next(SocketPath());
        QVERIFY(next.Claim());
    }

    void theEndOfTheRunningProgramFreesTheSocket()
    {
        {
            SingleInstance ended(SocketPath());
            QVERIFY(ended.Claim());
        }
        SingleInstance next(SocketPath());
        QVERIFY(next.Claim());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_singleinstance.moc"
