// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

#include "app/voice/readout.h"

using namespace tallimo;

namespace {

// Stands in for the player and the waits: writes each clip without its "_wav" and each pause as
// "~" to one log, and lets a test act inside a pause, as an event handled during the wait would.
struct Speech {
    struct Player : ClipPlayer {
        Speech &speech;
        explicit Player(Speech &s) : speech(s) {}
        void Play(const QString &name) override { speech.log << name.chopped(4); }
        void Stop() override { speech.playerStopped = true; }
    };
    struct Waits : Waiter {
        Speech &speech;
        explicit Waits(Speech &s) : speech(s) {}
        void Pause(int milliseconds) override
        {
            speech.log << QStringLiteral("~");
            speech.pauses << milliseconds;
            if (speech.duringPause) {
                speech.duringPause(static_cast<int>(speech.pauses.size()) - 1);
            }
        }
        void Stop() override { speech.waitsEnded = true; }
    };

    QString Heard() const { return log.join(QLatin1Char(' ')); }

    QStringList log;
    QList<int> pauses;
    std::function<void(int pause)> duringPause;
    bool playerStopped = false;
    bool waitsEnded = false;
    Player player{*this};
    Waits waits{*this};
};

// A row of the text read and the clips and pauses heard, named after the text.
void Row(const char *text, const char *heard)
{
    QTest::newRow(*text != '\0' ? text : "empty")
        << QString::fromUtf8(text) << QString::fromUtf8(heard);
}

}  // namespace

class TestReadOut : public QObject {
    Q_OBJECT
private slots:
    void readstr_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("heard");
        Row("负壹佰元", "~ fu ~ 1 ~ bai ~ yuan ~");
        Row("", "~");
        Row("壹拾贰点零伍", "~ 1 ~ 10 ~ 2 ~ point ~ 0 ~ 5 ~");
        Row("捌千柒百陆万亿", "~ 8 ~ qian ~ 7 ~ bai ~ 6 ~ wan ~ yi ~");
        Row("叁元肆角玖分", "~ 3 ~ yuan ~ 4 ~ jiao ~ 9 ~ fen ~");
        Row("壹元整", "~ 1 ~ yuan ~ ~");
        Row("1", "~ ~");
    }

    void readstr()
    {
        QFETCH(QString, text);
        QFETCH(QString, heard);
        Speech speech;
        ReadOut(speech.player, speech.waits, [] { return 280; }).readstr(text);
        QCOMPARE(speech.Heard(), heard);
        QVERIFY(std::all_of(speech.pauses.begin(), speech.pauses.end(),
                            [](int pause) { return pause == 280; }));
    }

    void read1_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("heard");
        Row("-12.5", "~ fu ~ 1 ~ 2 ~ point ~ 5 ~");
        Row("1500", "~ 1 ~ 5 ~ 0 ~ 0 ~");
        Row("1.5E15", "~ 1 ~ point ~ 5 ~ ~ 1 ~ 5 ~");
        Row("1.5E-7", "~ 1 ~ point ~ 5 ~ ~ fu ~ 7 ~");
        Row("", "~");
        Row("叁", "~ ~");
    }

    void read1()
    {
        QFETCH(QString, text);
        QFETCH(QString, heard);
        Speech speech;
        ReadOut(speech.player, speech.waits, [] { return 280; }).read1(text);
        QCOMPARE(speech.Heard(), heard);
    }

    void rateIsReadAtEveryPause()
    {
        Speech speech;
        int rate = 270;
        ReadOut(speech.player, speech.waits, [&rate] {
            return rate += 5;
        }).read1(QStringLiteral("12"));
        QCOMPARE(speech.pauses, QList<int>({275, 280, 285}));
    }

    // A line evaluated during the pause after 负 has its result read once that pause is over, in
    // place of the rest of the waiting read-out; of several asked for meanwhile, the last is read.
    void aFurtherReadOutTakesThePlace_data()
    {
        QTest::addColumn<QStringList>("askedFor");
        QTest::addColumn<QString>("heard");
        QTest::newRow("叁") << QStringList{QStringLiteral("叁")} << "~ fu ~ ~ 3 ~";
        QTest::newRow("叁, 肆, 伍")
            << QStringList{QStringLiteral("叁"), QStringLiteral("肆"), QStringLiteral("伍")}
            << "~ fu ~ ~ 5 ~";
    }

    void aFurtherReadOutTakesThePlace()
    {
        Speech speech;
        ReadOut readOut(speech.player, speech.waits, [] { return 280; });
        QFETCH(QStringList, askedFor);
        QFETCH(QString, heard);
        int deepest = 0;
        int depth = 0;
        speech.duringPause = [&](int pause) {
            deepest = std::max(deepest, ++depth);
            if (pause == 1) {
                for (const QString &text : askedFor) {
                    readOut.readstr(text);
                }
            }
            --depth;
        };
        readOut.readstr(QStringLiteral("负壹"));
        QCOMPARE(speech.Heard(), heard);
        QCOMPARE(deepest, 1);
    }

    void stopDuringReadOut_data()
    {
        QTest::addColumn<int>("stopAtPause");
        QTest::addColumn<QString>("heard");
        QTest::newRow("before the first clip") << 0 << "~";
        QTest::newRow("after 负") << 1 << "~ fu ~";
        QTest::newRow("inside the read-out that took the place") << 3 << "~ fu ~ ~ 3 ~";
    }

    void stopDuringReadOut()
    {
        QFETCH(int, stopAtPause);
        QFETCH(QString, heard);
        Speech speech;
        ReadOut readOut(speech.player, speech.waits, [] { return 280; });
        speech.duringPause = [&](int pause) {
            if (pause == 1 && stopAtPause == 3) {
                readOut.readstr(QStringLiteral("叁贰"));
            }
            if (pause == stopAtPause) {
                readOut.Stop();
            }
        };
        readOut.readstr(QStringLiteral("负壹"));
        readOut.read1(QStringLiteral("7"));
        QCOMPARE(speech.Heard(), heard);
        QVERIFY(speech.playerStopped);
        QVERIFY(speech.waitsEnded);
    }

    // Exit during a read-out with the real waits: the read-out returns at once instead of waiting
    // out its pause, and nothing more is played.
    void stopEndsRealWaits()
    {
        Speech speech;
        EventLoopWaiter waiter;
        ReadOut readOut(speech.player, waiter, [] { return 600000; });
        QTimer::singleShot(0, this, [&readOut] { readOut.Stop(); });
        readOut.readstr(QStringLiteral("壹贰"));
        QCOMPARE(speech.Heard(), QString());
        QVERIFY(speech.playerStopped);
    }
};

QTEST_GUILESS_MAIN(TestReadOut)
#include "test_readout.moc"
