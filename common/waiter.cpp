// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/waiter.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace tallimo {

void EventLoopWaiter::Pause(int milliseconds)
{
    if (milliseconds <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    // A coarse timer may fire 5% early or late, which would unsettle the rhythm of the speech.
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    waiting_.push_back(&loop);
    timer.start(milliseconds);
    loop.exec();
    waiting_.erase(std::find(waiting_.begin(), waiting_.end(), &loop));
}

void EventLoopWaiter::Stop()
{
    for (QEventLoop *loop : waiting_) {
        loop->quit();
    }
}

}  // namespace tallimo
