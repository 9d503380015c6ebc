// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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
