#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>
#include <utility>

#include "calcform.h"
#include "formstyle.h"
#include "formtesting.h"

using namespace tallimo;

namespace {

// The main window on the offscreen screen, speaking into one log: each clip without its "_wav",
// each pause as "~". A pause handles the pending events, as the real one does, after letting a
// test act inside it.
struct Speaking : FormUnderTest {
    struct Player : ClipPlayer {
        Speaking &speaking;
        explicit Player(Speaking &s) : speaking(s) {}
        void Play(const QString &name) override { speaking.log << name.chopped(4); }
        void Stop() override { ++speaking.soundStops; }
    };
    struct Waits : Waiter {
        Speaking &speaking;
        explicit Waits(Speaking &s) : speaking(s) {}
        void Pause(int milliseconds) override
        {
            speaking.log << QStringLiteral("~");
            speaking.pauses << milliseconds;
            if (speaking.duringPause)
                std::exchange(speaking.duringPause, nullptr)();
            QCoreApplication::processEvents();
        }
        void Stop() override {}
    };

    QStringList log;
    QList<int> pauses;
    // Runs inside the next pause.
    std::function<void()> duringPause;
    int playersMade = 0;
    int soundStops = 0;
    QPlainTextEdit *memo = nullptr;

    // With realWaits the read-outs wait on the event loop instead of the fake pauses.
    explicit Speaking(bool realWaits = false)
        : FormUnderTest([this, realWaits](ProgramSeams &seams) {
              seams.makeClipPlayer = [this] {
                  ++playersMade;
                  return std::make_unique<Player>(*this);
              };
              if (!realWaits)
                  seams.makeWaiter = [this] { return std::make_unique<Waits>(*this); };
          })
    {
        Show();
        memo = Child<QPlainTextEdit>("Memo1");
        memo->setFocus();
    }

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

    QString Heard() const { return log.join(u' '); }
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
        QCOMPARE(s.Heard(), heard);
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

        QTest::newRow("1+2") << false << 2 << false << "1+2\n"
                             << "1 add 2 eqr ~ 3 ~";
        QTest::newRow("3-5") << false << 2 << false << "3-5\n"
                             << "3 sub 5 eqr ~ fu ~ 2 ~";
        QTest::newRow("10/3 money with 4") << true << 4 << false << "10/3\n"
                                           << "1 0 div 3 eqr ~ 3 ~ yuan ~ 3 ~ jiao ~ 3 ~ fen ~";
        QTest::newRow("10/3 money with 4, fast") << true << 4 << true << "10/3\n"
                                                 << "1 0 div 3 eqr ~ 3 ~ point ~ 3 ~ 3 ~";
        QTest::newRow("Enter on an empty line") << false << 2 << false << "\n"
                                                << "eqr ~";
        QTest::newRow("10^16 too large for numerals") << false << 0 << false << "10^16\n"
                                                      << "1 0 1 6 eqr ~ 1 ~ ~ 1 ~ 6 ~";
        QTest::newRow("1/0 fails") << false << 2 << false << "1/0\n"
                                   << "1 div 0";
    }

    void readOut()
    {
        QFETCH(bool, money);
        QFETCH(int, decimals);
        QFETCH(bool, fast);
        QFETCH(QString, typed);
        QFETCH(QString, heard);

        Speaking s;
        s.Child<QCheckBox>("CheckBox4")->setChecked(money);
        s.Child<QSpinBox>("SpinEdit1")->setValue(decimals);
        s.Child<QCheckBox>("CheckBox5")->setChecked(fast);
        s.Child<QSpinBox>("SpinEdit3")->setValue(345);
        s.Type(typed);
        s.Settle();
        QCOMPARE(s.Heard(), heard);
        for (int pause : s.pauses)
            QCOMPARE(pause, 345);
    }

    void thePlayerIsMadeForTheFirstClip()
    {
        Speaking s;
        QCOMPARE(s.playersMade, 0);
        s.Type(QStringLiteral("1+2\n3"));
        s.Settle();
        QCOMPARE(s.playersMade, 1);
    }

    // The line typed and evaluated while a result is read goes in below it, its result is read
    // inside the waiting read-out, which then goes on.
    void aReadOutInsideAReadOut()
    {
        Speaking s;
        s.duringPause = [&s] { s.Type(QStringLiteral("4*2\n")); };
        s.Type(QStringLiteral("1+2\n"));
        s.Settle();
        QCOMPARE(s.Heard(), QStringLiteral("1 add 2 eqr ~ 4 mul 2 eqr ~ 8 ~ 3 ~"));
        QCOMPARE(s.memo->toPlainText(), QStringLiteral("1+2=3\n4*2=8\n"));
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
        QCOMPARE(s.Heard(), QString());
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
        QCOMPARE(s.Heard(), QStringLiteral("1 2 add 3 eqr ~ 1 ~"));
        QCOMPARE(s.soundStops, 1);
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
        QCOMPARE(s.Heard(), QStringLiteral("1 add 2 eqr"));
        QCOMPARE(s.world.quits, 1);
    }

    void closingStopsTheSound()
    {
        Speaking s;
        s.Type(QStringLiteral("1"));
        s.form->close();
        QCOMPARE(s.soundStops, 1);
    }
};

QTEST_MAIN(TestVoice)
#include "test_voice.moc"
