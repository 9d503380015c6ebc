// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <utility>

#include "app/calcform.h"
#include "app/formstyle.h"
#include "tests/gui/formtesting.h"
#include "tests/support/heardclips.h"

using namespace tallimo;

namespace {

// The main window on the offscreen screen with voice on: the clips it plays are collected
// without their "_wav", its pauses are counted. A pause handles the pending events, as the real
// one does, after letting a test act inside it.
struct Speaking : FormUnderTest {
    struct Waits : Waiter {
        Speaking &speaking;
        explicit Waits(Speaking &s) : speaking(s) {}
        void Pause(int milliseconds) override
        {
            speaking.pauses << milliseconds;
            if (speaking.duringPause)
                std::exchange(speaking.duringPause, nullptr)();
            QCoreApplication::processEvents();
        }
        void Stop() override {}
    };

    HeardClips heard;
    QList<int> pauses;
    // Runs inside the next pause.
    std::function<void()> duringPause;
    int playersMade = 0;
    QPlainTextEdit *memo = nullptr;

    // With realWaits the read-outs wait on the event loop instead of the fake pauses; a player
    // given takes the place of the one that collects the clips.
    explicit Speaking(bool realWaits = false,
                      std::function<std::unique_ptr<ClipPlayer>()> makePlayer = nullptr)
        : FormUnderTest([this, realWaits, makePlayer](ProgramSeams &seams) {
              seams.makeClipPlayer = [this, makePlayer] {
                  ++playersMade;
                  return makePlayer ? makePlayer() : std::make_unique<HeardClips::Player>(heard);
              };
              if (!realWaits)
                  seams.makeWaiter = [this] { return std::make_unique<Waits>(*this); };
          })
    {
        Show();
        memo = Child<QPlainTextEdit>("Memo1");
        memo->setFocus();
    }

    // The window's player thread hands clips to `heard` until the window has gone.
    ~Speaking() { form.reset(); }

    // Types the text into the sheet; "\n" presses Enter and "\b" backspace.
    void Type(const QString &text)
    {
        for (const QChar c : text) {
            if (c == u'\n')
                QTest::keyClick(memo, Qt::Key_Return);
            else if (c == u'\b')
                QTest::keyClick(memo, Qt::Key_Backspace);
            else
                QTest::keyClicks(memo, QString(c));
        }
    }

    // Lets the read-out the last evaluation has put off run.
    static void Settle() { QCoreApplication::processEvents(); }
};

bool ShowsIcon(QToolButton *button, const char *icon)
{
    const QSize size(16, 16);
    return button->icon().pixmap(size).toImage() == ToolbarIcon(icon).pixmap(size).toImage();
}

}  // namespace

class TestVoice : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetUpWindowTests(); }

    // What a typed key plays before it goes in; "=" and Enter play only the equals clip of the
    // evaluation.
    void keyEcho_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("heard");

        QTest::newRow("0123456789") << "0123456789"
                                    << "0 1 2 3 4 5 6 7 8 9";
        QTest::newRow("(1.5)/2") << "(1.5)/2"
                                 << "zuo 1 point 5 you div 2";
        QTest::newRow("3*-2") << "3*-2"
                              << "3 mul sub 2";
        QTest::newRow("12 backspace") << "12\b"
                                      << "1 2 bs";
        QTest::newRow("FULLSCREEN =") << "FULLSCREEN ="
                                      << "eqr";
    }

    void keyEcho()
    {
        QFETCH(QString, typed);
        QFETCH(QString, heard);
        Speaking s;
        s.Type(typed);
        QTRY_COMPARE(s.heard.Joined(), heard);
    }

    // After the equals clip the result is read with a pause of the speech rate before it and
    // after every character; a line that fails plays no equals clip and reads nothing.
    void readOut_data()
    {
        QTest::addColumn<bool>("money");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<bool>("fast");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("heard");
        QTest::addColumn<int>("pauses");

        QTest::newRow("1+2") << false << 2 << false << "1+2\n"
                             << "1 add 2 eqr 3" << 2;
        QTest::newRow("3-5") << false << 2 << false << "3-5\n"
                             << "3 sub 5 eqr fu 2" << 3;
        QTest::newRow("10/3 money with 4") << true << 4 << false << "10/3\n"
                                           << "1 0 div 3 eqr 3 yuan 3 jiao 3 fen" << 7;
        QTest::newRow("10/3 money with 4, fast") << true << 4 << true << "10/3\n"
                                                 << "1 0 div 3 eqr 3 point 3 3" << 5;
        QTest::newRow("Enter on an empty line") << false << 2 << false << "\n"
                                                << "eqr" << 1;
        QTest::newRow("10^16 too large for numerals") << false << 0 << false << "10^16\n"
                                                      << "1 0 1 6 eqr 1 1 6" << 5;
        QTest::newRow("1/0 fails") << false << 2 << false << "1/0\n"
                                   << "1 div 0" << 0;
    }

    void readOut()
    {
        QFETCH(bool, money);
        QFETCH(int, decimals);
        QFETCH(bool, fast);
        QFETCH(QString, typed);
        QFETCH(QString, heard);
        QFETCH(int, pauses);

        Speaking s;
        s.Child<QCheckBox>("CheckBox4")->setChecked(money);
        s.Child<QSpinBox>("SpinEdit1")->setValue(decimals);
        s.Child<QCheckBox>("CheckBox5")->setChecked(fast);
        s.Child<QSpinBox>("SpinEdit3")->setValue(345);
        s.Type(typed);
        s.Settle();
        QTRY_COMPARE(s.heard.Joined(), heard);
        QCOMPARE(s.pauses, QList<int>(pauses, 345));
    }

    void thePlayerIsMadeForTheFirstClip()
    {
        Speaking s;
        QCOMPARE(s.playersMade, 0);
        s.Type(QStringLiteral("1+2\n3"));
        s.Settle();
        QCOMPARE(s.playersMade, 1);
    }

    // The line typed and evaluated while a result is read goes in below it; its result is read
    // in place of the rest of the waiting read-out.
    void aReadOutDuringAReadOut()
    {
        Speaking s;
        s.duringPause = [&s] { s.Type(QStringLiteral("4*2\n")); };
        s.Type(QStringLiteral("1+2\n"));
        s.Settle();
        QTRY_COMPARE(s.heard.Joined(), QStringLiteral("1 add 2 eqr 4 mul 2 eqr 8"));
        QCOMPARE(s.memo->toPlainText(), QStringLiteral("1+2=3\n4*2=8\n"));
    }

    // Lines evaluated one after another, far faster than their results are read, with the real
    // waits: the keys keep going in, no read-out runs inside another, so the event loops never
    // nest deeper than the pause of the one read-out running, and the exit procedure runs once.
    void manyQuickEntersNestNothing()
    {
        Speaking s(true);
        s.Child<QSpinBox>("SpinEdit3")->setValue(280);
        const int lines = 3000;
        int typed = 0;
        int deepest = 0;
        QTimer typing;
        connect(&typing, &QTimer::timeout, &typing, [&] {
            deepest = std::max(deepest, QThread::currentThread()->loopLevel());
            if (typed == lines) {
                typing.stop();
                return;
            }
            s.Type(QStringLiteral("1+1\n"));
            ++typed;
        });
        typing.start(0);
        QTRY_VERIFY_WITH_TIMEOUT(!typing.isActive(), 120000);
        QCOMPARE(s.memo->blockCount(), lines + 1);
        QVERIFY(s.memo->toPlainText().endsWith(QStringLiteral("1+1=2\n1+1=2\n")));
        // The pause of the one read-out; the test waits without a loop of its own.
        QVERIFY2(deepest <= 1, qPrintable(QString::number(deepest)));
        QTest::mouseClick(s.Child<QToolButton>("SpeedButton45"), Qt::LeftButton);
        s.form->close();
        QCOMPARE(s.world.quits, 1);
    }

    void theSwitch()
    {
        Speaking s;
        auto *voice = s.Child<QCheckBox>("CheckBox2");
        auto *fast = s.Child<QCheckBox>("CheckBox5");
        auto *button = s.Child<QToolButton>("ToolButton6");
        voice->setChecked(false);
        voice->setChecked(true);
        fast->setChecked(true);
        QVERIFY(fast->isEnabled());
        QVERIFY(ShowsIcon(button, "voice-on"));

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!voice->isChecked());
        QVERIFY(!fast->isEnabled());
        QVERIFY(fast->isChecked());
        QVERIFY(ShowsIcon(button, "voice-off"));

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(voice->isChecked());
        QVERIFY(fast->isEnabled());
        QVERIFY(ShowsIcon(button, "voice-on"));
    }

    void voiceOffPlaysNothing()
    {
        Speaking s;
        QTest::mouseClick(s.Child<QToolButton>("ToolButton6"), Qt::LeftButton);
        s.Type(QStringLiteral("1+2\n(3)\b"));
        for (const char *key :
             {"SpeedButton8", "SpeedButton20", "SpeedButton34", "SpeedButton19", "SpeedButton7"})
            QTest::mouseClick(s.Child<QToolButton>(key), Qt::LeftButton);
        s.Settle();
        QCOMPARE(s.playersMade, 0);
    }

    // Leaving inside a read-out ends it and the sound there and then; the program quits once.
    void exitDuringAReadOut()
    {
        Speaking s;
        s.duringPause = [&s] {
            s.duringPause = [&s] {
                QTest::mouseClick(s.Child<QToolButton>("SpeedButton45"), Qt::LeftButton);
            };
        };
        s.Type(QStringLiteral("12+3\n"));
        s.Settle();
        QCOMPARE(s.pauses.size(), 2);
        QTRY_COMPARE(s.heard.Stops(), 1);
        // The stop also drops the clips it finds still on their way to the player.
        QVERIFY(QStringLiteral("1 2 add 3 eqr 1").startsWith(s.heard.Joined()));
        s.form->close();
        QCOMPARE(s.world.quits, 1);
    }

    // With the real waits the exit ends the pause it arrives in, instead of letting it run out.
    void exitDuringARealPause()
    {
        Speaking s(true);
        s.Type(QStringLiteral("1+2\n"));
        QTimer exit;
        exit.setSingleShot(true);
        connect(&exit, &QTimer::timeout, s.Child<QToolButton>("SpeedButton45"),
                &QToolButton::click);
        exit.start(0);
        s.Settle();
        QCOMPARE(s.world.quits, 1);
        QTRY_COMPARE(s.heard.Stops(), 1);
        QVERIFY(QStringLiteral("1 add 2 eqr").startsWith(s.heard.Joined()));
    }

    // A player stuck for good inside the sound system, as behind a sound server that was
    // stopped: typing, Enter and the read-outs go on, the exit procedure saves and quits, and
    // the window goes without waiting for the player.
    void aStuckPlayerStopsNothing()
    {
        // Stuck on any thread but the window's, where it notes the fault instead of hanging the
        // test.
        struct StuckPlayer final : ClipPlayer {
            std::shared_ptr<QSemaphore> gate;
            std::shared_ptr<std::atomic<bool>> calledByTheWindow;
            std::shared_ptr<std::atomic<bool>> stuck;
            StuckPlayer(std::shared_ptr<QSemaphore> g, std::shared_ptr<std::atomic<bool>> c,
                        std::shared_ptr<std::atomic<bool>> s)
                : gate(std::move(g)), calledByTheWindow(std::move(c)), stuck(std::move(s))
            {
            }
            void Play(const QString &) override { Stick(); }
            void Stop() override { Stick(); }
            void Stick()
            {
                if (QThread::currentThread() == QCoreApplication::instance()->thread()) {
                    *calledByTheWindow = true;
                } else {
                    *stuck = true;
                    gate->acquire();
                }
            }
        };
        const auto gate = std::make_shared<QSemaphore>();
        const auto calledByTheWindow = std::make_shared<std::atomic<bool>>(false);
        const auto stuck = std::make_shared<std::atomic<bool>>(false);
        // Whatever the outcome, the player is let go once the window has gone, so that its
        // thread does not outlive the test.
        const auto letGo = qScopeGuard([gate] { gate->release(1000); });
        auto s = std::make_unique<Speaking>(true, [gate, calledByTheWindow, stuck] {
            return std::make_unique<StuckPlayer>(gate, calledByTheWindow, stuck);
        });
        s->Child<QSpinBox>("SpinEdit3")->setValue(270);
        // Far more clips than the player would ever be asked to keep.
        s->Type(QStringLiteral("1+2+3+4+5+6+7+8+9+10+11+12+13+14+15+16+17+18+19+20\n"));
        s->Settle();
        QTRY_VERIFY(*stuck);
        s->Type(QStringLiteral("7*6\n"));
        QTRY_COMPARE(s->memo->toPlainText(),
                     QStringLiteral("1+2+3+4+5+6+7+8+9+10+11+12+13+14+15+16+17+18+19+20=210\n"
                                    "7*6=42\n"));
        const QString settingsFile =
            QDir(s->world.settingsFolder.path()).filePath(QStringLiteral("setinfo.ini"));
        QVERIFY(!QFile::exists(settingsFile));
        s->form->close();
        QCOMPARE(s->world.quits, 1);
        QVERIFY(QFile::exists(settingsFile));
        s->form.reset();
        QVERIFY(!*calledByTheWindow);
    }

    void closingStopsTheSound()
    {
        Speaking s;
        s.Type(QStringLiteral("1"));
        s.form->close();
        QTRY_COMPARE(s.heard.Stops(), 1);
    }
};

QTEST_MAIN(TestVoice)
#include "test_voice.moc"
