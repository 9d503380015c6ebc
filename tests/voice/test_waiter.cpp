// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>
#include <QTimer>

#include "common/waiter.h"

using namespace tallimo;

class TestWaiter : public QObject {
    Q_OBJECT
private slots:
    void zeroOrLessStillHandlesPendingEvents_data()
    {
        QTest::addColumn<int>("milliseconds");
        QTest::newRow("0") << 0;
        QTest::newRow("-5") << -5;
    }

    void zeroOrLessStillHandlesPendingEvents()
    {
        QFETCH(int, milliseconds);
        EventLoopWaiter waiter;
        bool handled = false;
        QMetaObject::invokeMethod(
            this, [&handled] { handled = true; }, Qt::QueuedConnection);
        waiter.Pause(milliseconds);
        QVERIFY(handled);
    }

    // The program ending during a read-out: stopping inside a nested pause ends the nested one
    // and the one it interrupted, long before their time.
    void stopEndsEveryWaitingPause()
    {
        EventLoopWaiter waiter;
        bool nestedReturned = false;
        QTimer::singleShot(0, this, [&] {
            QTimer::singleShot(0, this, [&waiter] { waiter.Stop(); });
            waiter.Pause(600000);
            nestedReturned = true;
        });
        waiter.Pause(600000);
        QVERIFY(nestedReturned);
    }
};

QTEST_GUILESS_MAIN(TestWaiter)
#include "test_waiter.moc"
