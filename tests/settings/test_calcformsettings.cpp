// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <memory>

#include "common/calcformsettings.h"
#include "tests/settings/filebytes.h"
#include "tests/support/defaultsettings.h"

using namespace tallimo;

namespace {

// The section as the writer spells it, for comparisons that show every key when they fail.
QByteArray Lines(const CalcFormSettings &settings)
{
    SettingsFile file;
    WriteCalcForm(file, settings);
    return file.ToBytes().replace("\r\n", " ").trimmed();
}

// What a section reads as when it lacks every key, with the given "key=value" words in place.
QByteArray TableDefaultsWith(const QByteArray &changes)
{
    QList<QByteArray> words =
        QByteArray(
            "[calcform] iTop=0 iLeft=0 ontop=1 voice=0 readnum=1 daxie=0 scrollBars=0 "
            "showdate=1 panel1=1 backcolor= memocolor= fontcolor= fontsize=10 number=2 "
            "rate=280")
            .split(' ');
    for (const QByteArray &change : changes.split(' ')) {
        const QByteArray key = change.left(change.indexOf('=') + 1);
        for (QByteArray &word : words) {
            if (!key.isEmpty() && word.startsWith(key))
                word = change;
        }
    }
    return words.join(' ');
}

const QByteArray CountdownGbk = "[gaokao]\r\ndate=2013-06-07\r\nname=\xB8\xDF\xBF\xBC\r\n";

// The file's mode, without what the current user may do with it.
QFile::Permissions ModeBits(QFile::Permissions permissions)
{
    return permissions & ~QFile::Permissions(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
}

}  // namespace

class TestCalcFormSettings : public QObject {
    Q_OBJECT
private:
    // Each test has a folder of its own, so no file outlives it.
    std::unique_ptr<QTemporaryDir> dir_;
    SettingsFolders folders_;
    QString path_;

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        folders_ = {dir_->path(), dir_->filePath(QStringLiteral("config"))};
        path_ = dir_->filePath(QStringLiteral("setinfo.ini"));
    }

    void firstExitWritesTheFirstStartSettings()
    {
        QVERIFY(SaveCalcForm(folders_, FirstStartSettings()).saved);
        QCOMPARE(ReadBytes(path_), DefaultSettingsBytes);
        const CalcFormReading reading = LoadCalcForm(folders_);
        QVERIFY(reading.apply);
        QCOMPARE(Lines(reading.settings), Lines(FirstStartSettings()));
    }

    void reads_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("apply");
        QTest::addColumn<QByteArray>("settings");

        QTest::newRow("no section")
            << QByteArray("[gaokao]\r\nname=x\r\n") << false << TableDefaultsWith("");
        QTest::newRow("section without iTop") << QByteArray("[calcform]\r\niLeft=5\r\nvoice=1\r\n")
                                              << false << TableDefaultsWith("iLeft=5 voice=1");
        QTest::newRow("only iTop=300")
            << QByteArray("[calcform]\r\niTop=300\r\n") << true << TableDefaultsWith("iTop=300");
        QTest::newRow("iTop=0 with other keys")
            << QByteArray("[calcform]\r\niTop=0\r\nvoice=1\r\nfontsize=20\r\n") << true
            << TableDefaultsWith("voice=1 fontsize=20");
        QTest::newRow("rate=500 number=20")
            << QByteArray("[calcform]\r\niTop=1\r\nrate=500\r\nnumber=20\r\n") << true
            << TableDefaultsWith("iTop=1 rate=500 number=20");
        QTest::newRow("backcolor=clSkyBlue")
            << QByteArray("[calcform]\r\niTop=1\r\nbackcolor=clSkyBlue\r\n") << true
            << TableDefaultsWith("iTop=1 backcolor=clSkyBlue");
        QTest::newRow("backcolor=sky blue spoils only its key")
            << QByteArray(
                   "[calcform]\r\niTop=1\r\nbackcolor=sky blue\r\nmemocolor=$00123456\r\n"
                   "fontcolor=clwhite\r\nrate=300\r\n")
            << true << TableDefaultsWith("iTop=1 memocolor=$00123456 fontcolor=clWhite rate=300");
        QTest::newRow("unreadable values give the defaults")
            << QByteArray("[calcform]\r\niTop=1\r\nontop=no\r\nfontsize=big\r\nnumber=\r\n") << true
            << TableDefaultsWith("iTop=1");
        QTest::newRow("[CALCFORM] ITOP=$10 VOICE=2 MemoColor=CLRED")
            << QByteArray("[CALCFORM]\r\nITOP=$10\r\nVOICE=2\r\nMemoColor=CLRED\r\n") << true
            << TableDefaultsWith("iTop=16 voice=1 memocolor=clRed");
    }

    void reads()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, apply);
        QFETCH(QByteArray, settings);
        WriteBytes(path_, file);
        const CalcFormReading reading = LoadCalcForm(folders_);
        QCOMPARE(reading.apply, apply);
        QCOMPARE(Lines(reading.settings), settings);
    }

    void aMissingFileIsNotApplied() { QVERIFY(!LoadCalcForm(folders_).apply); }

    void colourTextsRoundTrip()
    {
        CalcFormSettings settings = FirstStartSettings();
        settings.backColour = TextToColour(QStringLiteral("clSkyBlue"));
        settings.sheetColour = 0x00123456;
        settings.fontColour = TextToColour(QStringLiteral("clBtnFace"));
        QVERIFY(SaveCalcForm(folders_, settings).saved);

        const QByteArray saved = ReadBytes(path_);
        QVERIFY(saved.contains(
            "backcolor=clSkyBlue\r\nmemocolor=$00123456\r\nfontcolor=clBtnFace\r\n"));
        QCOMPARE(LoadCalcForm(folders_).settings.sheetColour, std::optional<Colour>(0x00123456));
        QCOMPARE(Lines(LoadCalcForm(folders_).settings), Lines(settings));
    }

    void saveKeepsTheRestOfTheFile()
    {
        WriteBytes(path_,
                   "[CalcForm]\r\nRATE=300\r\nwidth=640\r\nITOP=7\r\n\r\n"
                   "[gaokao]\r\ndate=2013-06-07\r\nname=\xB8\xDF\xBF\xBC\r\n");
        QVERIFY(SaveCalcForm(folders_, FirstStartSettings()).saved);

        const QByteArray saved = ReadBytes(path_);
        QVERIFY(
            saved.startsWith("[CalcForm]\r\nrate=280\r\nwidth=640\r\niTop=128\r\niLeft=200\r\n"));
        QVERIFY(saved.contains("[gaokao]\r\ndate=2013-06-07\r\nname=\xB8\xDF\xBF\xBC\r\n"));
        QCOMPARE(saved.count("rate="), 1);
        QCOMPARE(saved.count("RATE="), 0);
    }

    void writesTheDecimalsBackAlone()
    {
        const QByteArray before = "[calcform]\r\niTop=1\r\nnumber=20\r\nrate=500\r\n";
        WriteBytes(path_, before);
        QVERIFY(SaveNumber(folders_, 15).saved);
        QCOMPARE(ReadBytes(path_), QByteArray(before).replace("number=20", "number=15"));
    }

    // Files that users and other programs wrote: a start (the reading and the decimals written
    // back) and an exit that changes one key leave every other byte as it was. A read-only file
    // stays as it is, whoever runs the program.
    void hostileFilesKeepWhatIsNotTheirs_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("readOnly");

        QTest::newRow("NUL bytes in [gaokao] and [calcform]")
            << QByteArray(DefaultSettingsBytes)
                       .replace("daxie=0\r\n", QByteArrayLiteral("daxie=0\r\nx=\0\0y\r\n")) +
                   QByteArrayLiteral("[gaokao]\r\nname=a\0b\r\ndate=2013-06-07\r\n\0\r\n")
            << false;
        QTest::newRow("bytes valid in no encoding among GBK text")
            << DefaultSettingsBytes + CountdownGbk + "[notes]\r\n\xFF\x80\xB8=\xC4\xE3\xFF\r\n"
            << false;
        QTest::newRow("UTF-8 byte order mark, ASCII only")
            << "\xEF\xBB\xBF" + DefaultSettingsBytes + "[other]\r\nk=v\r\n"
            << false;
        QTest::newRow("UTF-8 byte order mark, Chinese in UTF-8 and a stray GBK line")
            << "\xEF\xBB\xBF" + DefaultSettingsBytes +
                   "[gaokao]\r\nname=\xE9\xAB\x98\xE8\x80\x83\r\n" + "\xB8\xDF\xBF\xBC\r\n"
            << false;
        QTest::newRow("UTF-8 without a mark")
            << DefaultSettingsBytes + "[gaokao]\r\nname=\xE2\x82\xAC \xE9\xAB\x98\r\n"
            << false;
        QTest::newRow("lines without = in every section")
            << "just words\r\n" +
                   QByteArray(DefaultSettingsBytes).replace("iLeft", "no equals here\r\niLeft") +
                   "[gaokao]\r\n\xB8\xDF\xBF\xBC\r\n[\r\n\r\n;comment\r\n"
            << false;
        QTest::newRow("unknown keys, odd spacing, repeated keys and sections")
            << " [other] \r\n k = v \r\nk=second\r\n" + DefaultSettingsBytes +
                   "width = 640\r\n\t# tab\r\n[CALCFORM]\r\nfontsize=99\r\n[other]\r\nk=3\r\n"
            << false;
        QTest::newRow("iLeft=2147483647")
            << QByteArray(DefaultSettingsBytes).replace("iLeft=200", "iLeft=2147483647") << false;
        QTest::newRow("LF line breaks, no break at the end")
            << QByteArray(DefaultSettingsBytes).replace("\r\n", "\n") + "[gaokao]\nname=x"
            << false;
        QTest::newRow("10 MB of other sections before [calcform]")
            << QByteArray("[gaokao]\r\nname=\xB8\xDF\xBF\xBC\r\nnote=" + QByteArray(60, 'n') +
                          "\r\n")
                       .repeated(10 * 1024 * 1024 / 90) +
                   DefaultSettingsBytes
            << false;
        QTest::newRow("read-only file") << DefaultSettingsBytes + CountdownGbk << true;
    }

    void hostileFilesKeepWhatIsNotTheirs()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, readOnly);
        WriteBytes(path_, file);
        const auto permissions = readOnly ? QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther
                                          : ModeBits(QFile::permissions(path_));
        QFile::setPermissions(path_, permissions);

        CalcFormReading reading = LoadCalcForm(folders_);
        QVERIFY(reading.apply);
        SaveNumber(folders_, reading.settings.decimals);
        QCOMPARE(ReadBytes(path_), file);

        reading.settings.fontSize = 30;
        const SettingsFile::SaveResult result = SaveCalcForm(folders_, reading.settings);
        QCOMPARE(result.saved, !readOnly);
        QCOMPARE(ReadBytes(path_),
                 readOnly ? file : QByteArray(file).replace("fontsize=16", "fontsize=30"));
        QCOMPARE(ModeBits(QFile::permissions(path_)), permissions);
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner);
    }

    // The saved position stays while any part of the window lies on a screen there; anywhere
    // else, however far, the window keeps its first position.
    void placesTheWindowOnAScreen_data()
    {
        QTest::addColumn<QPoint>("saved");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<bool>("kept");

        const QList<QRect> one{QRect(0, 0, 1024, 768)};
        const QList<QRect> two{QRect(-1920, -200, 1920, 1080), QRect(0, 0, 1024, 768)};
        QTest::newRow("iLeft=300 iTop=200") << QPoint(300, 200) << one << true;
        QTest::newRow("iLeft=-599 iTop=10, one column on the screen")
            << QPoint(-599, 10) << one << true;
        QTest::newRow("iLeft=-600 iTop=10, just off") << QPoint(-600, 10) << one << false;
        QTest::newRow("iLeft=1023 iTop=767") << QPoint(1023, 767) << one << true;
        QTest::newRow("iLeft=1024 iTop=0") << QPoint(1024, 0) << one << false;
        QTest::newRow("iLeft=-1500 iTop=-150 on the left monitor")
            << QPoint(-1500, -150) << two << true;
        QTest::newRow("iLeft=-1500 iTop=-150 with that monitor gone")
            << QPoint(-1500, -150) << one << false;
        QTest::newRow("iLeft=2147483647") << QPoint(INT_MAX, 10) << one << false;
        QTest::newRow("iTop=2147483647") << QPoint(10, INT_MAX) << one << false;
        QTest::newRow("iLeft=2147483647 iTop=2147483647")
            << QPoint(INT_MAX, INT_MAX) << two << false;
        QTest::newRow("iLeft=-2147483648 iTop=-2147483648")
            << QPoint(INT_MIN, INT_MIN) << two << false;
        // A screen whose last column is the largest int, given by its corners: its left edge
        // plus its width is one past int.
        QTest::newRow("iLeft=2147483000 on a screen at the far right")
            << QPoint(INT_MAX - 647, 0)
            << QList<QRect>{QRect(QPoint(INT_MAX - 1023, 0), QPoint(INT_MAX, 767))} << true;
        QTest::newRow("no screen") << QPoint(300, 200) << QList<QRect>() << false;
    }

    void placesTheWindowOnAScreen()
    {
        QFETCH(QPoint, saved);
        QFETCH(QList<QRect>, screens);
        QFETCH(bool, kept);
        const QPoint first(200, 128);
        QCOMPARE(PlaceOnAScreen(saved, QSize(600, 440), screens, first), kept ? saved : first);
    }

    void reportsWhereItCouldNotSave()
    {
        const QString blocker = dir_->filePath(QStringLiteral("blocker"));
        WriteBytes(blocker, "");
        const SettingsFolders folders{blocker, blocker + QStringLiteral("/config")};

        const SettingsFile::SaveResult result = SaveCalcForm(folders, FirstStartSettings());
        QVERIFY(!result.saved);
        QCOMPARE(result.path, blocker + QStringLiteral("/config/setinfo.ini"));
        QVERIFY(!SaveNumber(folders, 2).saved);
    }
};

QTEST_GUILESS_MAIN(TestCalcFormSettings)
#include "test_calcformsettings.moc"
