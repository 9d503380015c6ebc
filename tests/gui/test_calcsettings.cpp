// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include "app/calcform.h"
#include "app/formstyle.h"
#include "common/keptsheet.h"
#include "common/windowsdirectory.h"
#include "tests/gui/formtesting.h"
#include "tests/settings/filebytes.h"
#include "tests/support/defaultsettings.h"

using namespace tallimo;

namespace {

// The main window started on the given settings folders, not yet shown; the colour chooser notes
// the colours it opens with. The settings page is made once the window shows.
struct Started : FormUnderTest {
    QList<QColor> chooserStarts;

    explicit Started(const SettingsFolders &folders)
        : FormUnderTest([this, folders](ProgramSeams &seams) {
              seams.settingsFolders = [folders] { return folders; };
              seams.chooseColour = [this](quint32 start) {
                  chooserStarts << QColor::fromRgba(start);
                  return world.colourAnswer;
              };
          })
    {
    }

    void Exit() const { form->SpeedButton45Click(); }

    // The colour a settings key paints: the side panels' background, the sheet's background or
    // the sheet's text.
    QColor ColourOf(const QByteArray &key) const
    {
        if (key == "backcolor")
            return Child("Panel3")->palette().color(QPalette::Window);
        const QPalette sheet = Child("Memo1")->palette();
        return sheet.color(key == "memocolor" ? QPalette::Base : QPalette::Text);
    }

    bool StaysOnTop() const { return form->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }
};

const char *const BackColourControls[] = {"Panel3",    "Panel7", "Panel4", "Panel1", "GroupBox1",
                                          "GroupBox2", "Label1", "Label2", "Label3"};

// The back colour paints the result bar's labels behind their text only: the caret label stays
// blue and the captions black.
void VerifyResultBarTextColours(const FormUnderTest &started)
{
    QCOMPARE(started.Child("Label1")->palette().color(QPalette::WindowText), Blue);
    QCOMPARE(started.Child("Label2")->palette().color(QPalette::WindowText), Black);
    QCOMPARE(started.Child("Label3")->palette().color(QPalette::WindowText), Black);
}

bool ShowsIcon(const QToolButton *button, const char *icon)
{
    const QSize size(16, 16);
    return button->icon().pixmap(size).toImage() == ToolbarIcon(icon).pixmap(size).toImage();
}

QByteArray KeyOf(const QByteArray &line) { return line.left(line.indexOf('=')); }

}  // namespace

class TestCalcSettings : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> dir_;
    SettingsFolders folders_;

    QString FilePath() const { return dir_->filePath(QStringLiteral("setinfo.ini")); }

    void WriteFile(const QByteArray &bytes) const { WriteBytes(FilePath(), bytes); }

    QByteArray FileBytes() const { return ReadBytes(FilePath()); }

    // The file holds the key with exactly this value.
    bool FileHas(const QByteArray &line) const
    {
        return ("\n" + FileBytes()).contains("\n" + line + "\r\n");
    }

private slots:
    void initTestCase()
    {
        SetUpWindowTests();
        // The kept sheet's option, when a test turns it on, saves into a data folder for tests.
        QStandardPaths::setTestModeEnabled(true);
    }

    void cleanup() { QFile::remove(WindowsDirectory() + QLatin1String(KeptSheetFileName)); }

    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        folders_ = {dir_->path(), dir_->filePath(QStringLiteral("config"))};
    }

    void firstStartWritesNothingAndTheExitWritesTheFirstStartSettings()
    {
        Started started(folders_);
        QVERIFY(!QFile::exists(FilePath()));
        started.Exit();
        QCOMPARE(FileBytes(), DefaultSettingsBytes);
        QCOMPARE(started.world.quits, 1);
        QVERIFY(started.world.messages.isEmpty());
    }

    void onlyTheTopGivesTheKeyDefaults()
    {
        WriteFile("[calcform]\r\niTop=300\r\n");
        Started started(folders_);
        QCOMPARE(started.form->pos(), QPoint(0, 300));
        QVERIFY(started.StaysOnTop());
        started.Show();
        QVERIFY(started.Child<QCheckBox>("CheckBox1")->isChecked());
        QVERIFY(!started.Child<QCheckBox>("CheckBox2")->isChecked());
        QVERIFY(ShowsIcon(started.Child<QToolButton>("ToolButton6"), "voice-off"));
        auto *fastReading = started.Child<QCheckBox>("CheckBox5");
        QVERIFY(fastReading->isChecked());
        QVERIFY(!fastReading->isEnabled());
        QVERIFY(started.Child<QTimer>("Timer2")->isActive());
        QVERIFY(!started.Child("Label4")->isHidden());
        QVERIFY(!started.Child("Panel1")->isHidden());
        QCOMPARE(started.Child<QSpinBox>("SpinEdit1")->value(), 2);
        QCOMPARE(started.Child<QSpinBox>("SpinEdit3")->value(), 280);
        QCOMPARE(started.Child<QSpinBox>("SpinEdit2")->value(), 10);
        started.Exit();
        QVERIFY(FileHas("fontsize=10"));
        QVERIFY(FileHas("ontop=1"));
    }

    // The settings page is made once the window shows: the options read from the file reach
    // the sheet and the voice before it exists and its controls after, and an exit before it
    // exists saves them as they were read.
    void theFileReachesTheLaterPage()
    {
        const QByteArray section =
            "[calcform]\r\niTop=10\r\niLeft=20\r\nontop=1\r\nvoice=1\r\nreadnum=1\r\n"
            "daxie=1\r\nscrollBars=1\r\nshowdate=0\r\npanel1=1\r\nbackcolor=clSkyBlue\r\n"
            "memocolor=clRed\r\nfontcolor=clYellow\r\nfontsize=12\r\nnumber=4\r\nrate=300\r\n";
        WriteFile(section);
        {
            Started early(folders_);
            QVERIFY(!early.form->findChild<QGroupBox *>("GroupBox2"));
            QCOMPARE(early.form->Decimals(), 4);
            QVERIFY(early.form->MoneyMode());
            QVERIFY(early.form->VoiceOn());
            QVERIFY(early.form->FastReading());
            QCOMPARE(early.form->SpeechRate(), 300);
            early.Exit();
            QCOMPARE(FileBytes(), section);
        }

        Started started(folders_);
        started.Show();
        QCOMPARE(started.Child<QSpinBox>("SpinEdit1")->value(), 4);
        QCOMPARE(started.Child<QSpinBox>("SpinEdit2")->value(), 12);
        QCOMPARE(started.Child<QSpinBox>("SpinEdit3")->value(), 300);
        for (const char *name : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5"})
            QVERIFY2(started.Child<QCheckBox>(QLatin1String(name))->isChecked(), name);
        QVERIFY(!started.Child<QCheckBox>("CheckBox6")->isChecked());
        QVERIFY(started.Child<QCheckBox>("CheckBox5")->isEnabled());
        started.Exit();
        QCOMPARE(FileBytes(), section);
    }

    // The toolbar's voice switch works before the settings page exists, and the page follows it.
    void voiceSwitchedBeforeThePageExists()
    {
        WriteFile("[calcform]\r\niTop=1\r\nvoice=1\r\n");
        Started started(folders_);
        auto *voiceButton = started.Child<QToolButton>("ToolButton6");
        voiceButton->click();
        QVERIFY(!started.form->VoiceOn());
        started.Show();
        auto *voice = started.Child<QCheckBox>("CheckBox2");
        QVERIFY(!voice->isChecked());
        QVERIFY(!started.Child<QCheckBox>("CheckBox5")->isEnabled());
        voiceButton->click();
        QVERIFY(voice->isChecked());
        QVERIFY(started.Child<QCheckBox>("CheckBox5")->isEnabled());
        QVERIFY(ShowsIcon(voiceButton, "voice-on"));
    }

    // The date line shows as soon as the window is made, with or without a settings file.
    void dateLineAtOnce_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("first start") << QByteArray();
        QTest::newRow("second start") << QByteArray("[calcform]\r\niTop=1\r\n");
    }
    void dateLineAtOnce()
    {
        QFETCH(QByteArray, file);
        if (!file.isEmpty())
            WriteFile(file);
        Started started(folders_);
        QCOMPARE(started.Child<QLabel>("Label4")->text(),
                 QStringLiteral("2026-12-10 星期四 09:30:00"));
    }

    void aTopOfZeroIsApplied()
    {
        WriteFile("[calcform]\r\niTop=0\r\niLeft=40\r\nvoice=0\r\nfontsize=20\r\n");
        Started started(folders_);
        QCOMPARE(started.form->pos(), QPoint(40, 0));
        // 20 points are 27 pixels, in the sheet's own font.
        QCOMPARE(started.Child<QPlainTextEdit>("Memo1")->font(), ArialFont(27));
        started.Show();
        QVERIFY(!started.Child<QCheckBox>("CheckBox2")->isChecked());
        QCOMPARE(started.Child<QSpinBox>("SpinEdit2")->value(), 20);
        QTRY_VERIFY(FileHas("number=2"));
    }

    void optionsRoundTrip()
    {
        const QByteArray options =
            "ontop=0\r\nvoice=1\r\nreadnum=0\r\ndaxie=1\r\nscrollBars=1\r\nshowdate=0\r\n"
            "panel1=0\r\n";
        WriteFile("[calcform]\r\niTop=10\r\niLeft=20\r\n" + options);
        Started started(folders_);
        QVERIFY(!started.StaysOnTop());
        started.Show();
        QVERIFY(ShowsIcon(started.Child<QToolButton>("ToolButton6"), "voice-on"));
        auto *fastReading = started.Child<QCheckBox>("CheckBox5");
        QVERIFY(!fastReading->isChecked());
        QVERIFY(fastReading->isEnabled());
        QVERIFY(started.Child<QCheckBox>("CheckBox4")->isChecked());
        auto *memo = started.Child<QPlainTextEdit>("Memo1");
        QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(!started.Child<QTimer>("Timer2")->isActive());
        QVERIFY(started.Child("Label4")->isHidden());
        QVERIFY(started.Child("Panel1")->isHidden());
        started.Exit();
        QVERIFY(FileBytes().contains("iTop=10\r\niLeft=20\r\n" + options));
    }

    // A number out of its box's range shows as the nearest end of the range and is saved so.
    void numberBoxesClamp_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("shown");

        QTest::newRow("rate=500") << "SpinEdit3" << 380;
        QTest::newRow("rate=100") << "SpinEdit3" << 270;
        QTest::newRow("number=20") << "SpinEdit1" << 15;
        QTest::newRow("number=-1") << "SpinEdit1" << 0;
        QTest::newRow("fontsize=100") << "SpinEdit2" << 80;
        QTest::newRow("fontsize=3") << "SpinEdit2" << 8;
    }
    void numberBoxesClamp()
    {
        QFETCH(QString, box);
        QFETCH(int, shown);
        const QByteArray line = QTest::currentDataTag();
        WriteFile("[calcform]\r\niTop=1\r\n" + line + "\r\n");
        Started started(folders_);
        // The decimals go back into the file once the window shows, not before.
        QCOMPARE(FileBytes(), "[calcform]\r\niTop=1\r\n" + line + "\r\n");
        started.Show();
        QCOMPARE(started.Child<QSpinBox>(box)->value(), shown);
        const int decimals = started.Child<QSpinBox>("SpinEdit1")->value();
        QTRY_VERIFY(FileHas("number=" + QByteArray::number(decimals)));
        started.Exit();
        QVERIFY(FileHas(KeyOf(line) + '=' + QByteArray::number(shown)));
    }

    void skyBlueBackground()
    {
        WriteFile("[calcform]\r\niTop=1\r\nbackcolor=clSkyBlue\r\n");
        Started started(folders_);
        started.Show();
        const QColor skyBlue(0xA6, 0xCA, 0xF0);
        for (const char *name : BackColourControls) {
            QWidget *control = started.Child(QLatin1String(name));
            QCOMPARE(control->palette().color(QPalette::Window), skyBlue);
            QVERIFY(control->autoFillBackground());
        }
        VerifyResultBarTextColours(started);
        QCOMPARE(started.ColourOf("memocolor"), Teal);
        started.Exit();
        QVERIFY(FileHas("backcolor=clSkyBlue"));
    }

    // How a colour text shows, and how it goes back into the file at exit.
    void colourTexts_data()
    {
        QTest::addColumn<QColor>("shown");
        QTest::addColumn<QByteArray>("saved");

        const QPalette platform = QApplication::palette();
        QTest::newRow("memocolor=clBtnFace")
            << platform.color(QPalette::Button) << QByteArray("memocolor=clBtnFace");
        QTest::newRow("backcolor=clInfoBk")
            << platform.color(QPalette::ToolTipBase) << QByteArray("backcolor=clInfoBk");
        QTest::newRow("memocolor=$00123456")
            << QColor(0x56, 0x34, 0x12) << QByteArray("memocolor=$00123456");
        QTest::newRow("fontcolor=255") << QColor(Qt::red) << QByteArray("fontcolor=clRed");
        QTest::newRow("fontcolor=CLYELLOW")
            << QColor(Qt::yellow) << QByteArray("fontcolor=clYellow");
        QTest::newRow("memocolor=clNone") << Teal << QByteArray("memocolor=clNone");
        QTest::newRow("backcolor=clDefault") << MoneyGreen << QByteArray("backcolor=clDefault");
        QTest::newRow("backcolor=$FF0000FF") << MoneyGreen << QByteArray("backcolor=$FF0000FF");
    }
    void colourTexts()
    {
        QFETCH(QColor, shown);
        QFETCH(QByteArray, saved);
        const QByteArray line = QTest::currentDataTag();
        WriteFile("[calcform]\r\niTop=1\r\n" + line + "\r\n");
        Started started(folders_);
        QCOMPARE(started.ColourOf(KeyOf(line)), shown);
        started.Exit();
        QVERIFY2(FileHas(saved), FileBytes().constData());
    }

    // A colour text that is neither a name nor a number leaves its colour alone; the rest of
    // the section is applied and the decimals are written back, without a message.
    void aBadColourSpoilsOnlyItsKey()
    {
        WriteFile(
            "[calcform]\r\niTop=1\r\nbackcolor=sky blue\r\nmemocolor=clRed\r\n"
            "number=20\r\n");
        Started started(folders_);
        QCOMPARE(started.ColourOf("backcolor"), MoneyGreen);
        QCOMPARE(started.ColourOf("memocolor"), QColor(Qt::red));
        started.Show();
        QTRY_VERIFY(FileHas("number=15"));
        QVERIFY(started.world.messages.isEmpty());
        started.Exit();
        QVERIFY(FileHas("backcolor=clMoneyGreen"));
    }

    void otherSectionsAndKeysSurvive()
    {
        const QByteArray countdown = "[gaokao]\r\nname=\xB8\xDF\xBF\xBC\r\ndate=2013-06-07\r\n";
        WriteFile(countdown + "\r\n[calcform]\r\niTop=50\r\nwidth=640\r\n");
        Started started(folders_);
        started.Exit();
        const QByteArray saved = FileBytes();
        QVERIFY(saved.startsWith(countdown));
        QVERIFY(FileHas("width=640"));
        QVERIFY(FileHas("iTop=50"));
    }

    void aFailedSaveTellsTheUserOnce()
    {
        // A file where the folders should be: nothing can be written under it.
        const QString blocker = dir_->filePath(QStringLiteral("blocker"));
        QVERIFY(QFile(blocker).open(QIODevice::WriteOnly));
        const QString config = blocker + QStringLiteral("/config");
        Started started({blocker, config});
        QVERIFY(started.world.messages.isEmpty());
        started.Exit();
        started.form->close();
        started.Exit();
        // The message gives the system's reason, as the sheet's saves do.
        QCOMPARE(started.world.messages,
                 QStringList("Unable to write to " +
                             QDir::toNativeSeparators(config + QStringLiteral("/setinfo.ini")) +
                             ": " + QString::fromLocal8Bit(std::strerror(ENOTDIR))));
    }

    // A position that lies off every screen gives way to the first position.
    void positionOffTheScreens_data()
    {
        QTest::addColumn<QPoint>("place");

        QTest::newRow("iLeft=5000 iTop=5000") << QPoint(200, 128);
        QTest::newRow("iLeft=-2000 iTop=-2000") << QPoint(200, 128);
        QTest::newRow("iLeft=100 iTop=-440") << QPoint(200, 128);
        QTest::newRow("iLeft=-600 iTop=10") << QPoint(-600, 10);
        QTest::newRow("iLeft=100 iTop=-400") << QPoint(100, -400);
    }
    void positionOffTheScreens()
    {
        QFETCH(QPoint, place);
        const QByteArray keys = QByteArray(QTest::currentDataTag()).replace(' ', "\r\n");
        WriteFile("[calcform]\r\n" + keys + "\r\n");
        Started started(folders_);
        QVERIFY(started.form->screen()->geometry().contains(QRect(0, 0, 800, 600)));
        QCOMPARE(started.form->pos(), place);
    }

    // The colour choosers open with the colour their controls show; a cancelled chooser
    // leaves it, a chosen colour goes to the controls and, at exit, into the file.
    void colourChoosers_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QColor>("answer");
        QTest::addColumn<QColor>("start");
        QTest::addColumn<QByteArray>("saved");

        const QColor chosen(0x12, 0x34, 0x56);
        const QColor cancel;
        QTest::newRow("SpeedButton35 chosen") << "SpeedButton35" << QByteArray("backcolor")
                                              << chosen << MoneyGreen << QByteArray("$00563412");
        QTest::newRow("SpeedButton35 cancelled")
            << "SpeedButton35" << QByteArray("backcolor") << cancel << MoneyGreen
            << QByteArray("clMoneyGreen");
        QTest::newRow("SpeedButton37 chosen") << "SpeedButton37" << QByteArray("memocolor")
                                              << chosen << Teal << QByteArray("$00563412");
        QTest::newRow("SpeedButton37 cancelled")
            << "SpeedButton37" << QByteArray("memocolor") << cancel << Teal << QByteArray("clTeal");
        QTest::newRow("SpeedButton36 chosen") << "SpeedButton36" << QByteArray("fontcolor")
                                              << chosen << White << QByteArray("$00563412");
        QTest::newRow("SpeedButton36 cancelled") << "SpeedButton36" << QByteArray("fontcolor")
                                                 << cancel << White << QByteArray("clWhite");
    }
    void colourChoosers()
    {
        QFETCH(QString, button);
        QFETCH(QByteArray, key);
        QFETCH(QColor, answer);
        QFETCH(QColor, start);
        QFETCH(QByteArray, saved);
        Started started(folders_);
        started.Show();
        if (answer.isValid())
            started.world.colourAnswer = answer.rgba();
        started.Child<QToolButton>(button)->click();
        QCOMPARE(started.chooserStarts, QList<QColor>{start});
        const QColor shown = answer.isValid() ? answer : start;
        QCOMPARE(started.ColourOf(key), shown);
        if (key == "backcolor") {
            for (const char *name : BackColourControls)
                QCOMPARE(started.Child(QLatin1String(name))->palette().color(QPalette::Window),
                         shown);
            VerifyResultBarTextColours(started);
        }
        started.Exit();
        QVERIFY(FileHas(key + '=' + saved));
    }

    // What the user changes on the page is what the next start shows: each check box and number
    // box of the page's tables, changed by a click or a key, survives the exit and a restart.
    void pageChangesSurviveARestart_data()
    {
        QTest::addColumn<QString>("name");
        for (const SettingsPage::Option &row : SettingsPage::Options())
            QTest::newRow(row.name) << QString::fromLatin1(row.name);
        for (const SettingsPage::NumberBox &row : SettingsPage::NumberBoxes())
            QTest::newRow(row.name) << QString::fromLatin1(row.name);
    }
    void pageChangesSurviveARestart()
    {
        QFETCH(QString, name);
        // With the voice on, fast reading can be changed too.
        WriteFile("[calcform]\r\niTop=1\r\nvoice=1\r\n");
        // What the control shows: its check mark or its number.
        auto shown = [&name](const Started &started) {
            started.Child<QToolButton>("SpeedButton4")->click();
            QWidget *control = started.Child(name);
            if (const auto *box = qobject_cast<QCheckBox *>(control))
                return int(box->isChecked());
            return started.Child<QSpinBox>(name)->value();
        };
        int changed = 0;
        {
            Started started(folders_);
            started.Show();
            const int before = shown(started);
            QWidget *control = started.Child(name);
            if (qobject_cast<QCheckBox *>(control)) {
                QTest::mouseClick(control, Qt::LeftButton);
            } else {
                control->setFocus();
                QTest::keyClick(control, Qt::Key_Up);
            }
            changed = shown(started);
            QVERIFY(changed != before);
            started.Exit();
        }
        Started again(folders_);
        again.Show();
        QCOMPARE(shown(again), changed);
    }

    void fontSizeFollowsItsBox()
    {
        Started started(folders_);
        started.Show();
        auto *memo = started.Child<QPlainTextEdit>("Memo1");
        started.Child<QSpinBox>("SpinEdit2")->setValue(24);
        // 24 points are 32 pixels on a screen of 96 dots per inch.
        QCOMPARE(memo->font().pixelSize(), 32);
        started.Exit();
        QVERIFY(FileHas("fontsize=24"));
    }

    void stayOnTopKeepsPositionAndVisibility()
    {
        Started started(folders_);
        started.Show();
        const QPoint place = started.form->pos();
        auto *onTop = started.Child<QCheckBox>("CheckBox1");

        onTop->click();
        QVERIFY(started.StaysOnTop());
        QVERIFY(started.form->isVisible());
        QCOMPARE(started.form->pos(), place);

        onTop->click();
        QVERIFY(!started.StaysOnTop());
        QVERIFY(started.form->isVisible());
        QCOMPARE(started.form->pos(), place);

        started.form->hide();
        onTop->click();
        QVERIFY(started.StaysOnTop());
        QVERIFY(!started.form->isVisible());
        QCOMPARE(started.form->pos(), place);
    }

    void scrollBarsAndDateLineOnClick()
    {
        Started started(folders_);
        started.Show();
        auto *memo = started.Child<QPlainTextEdit>("Memo1");
        auto *scrollBars = started.Child<QCheckBox>("CheckBox3");
        scrollBars->click();
        QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        scrollBars->click();
        QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

        auto *timer = started.Child<QTimer>("Timer2");
        QWidget *dateLine = started.Child("Label4");
        auto *showDate = started.Child<QCheckBox>("CheckBox6");
        showDate->click();
        QVERIFY(!timer->isActive());
        QVERIFY(dateLine->isHidden());
        showDate->click();
        QVERIFY(timer->isActive());
        QVERIFY(!dateLine->isHidden());
    }
};

QTEST_MAIN(TestCalcSettings)
#include "test_calcsettings.moc"
