#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "common/calcformsettings.h"
#include "filebytes.h"

using namespace tallimo;

namespace {

// The section as the writer spells it, for comparisons that show every key when they fail.
QByteArray Lines(const CalcFormSettings &settings)
{
    SettingsFile file;
    WriteCalcForm(file, settings);
    return file.toBytes().replace("\r\n", " ").trimmed();
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

}  // namespace

class TestCalcFormSettings : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    SettingsFolders folders_;
    QString path_;

private slots:
    void init()
    {
        QVERIFY(dir_.isValid());
        folders_ = {dir_.path(), dir_.filePath(QStringLiteral("config"))};
        path_ = dir_.filePath(QStringLiteral("setinfo.ini"));
        QFile::remove(path_);
    }

    void firstExitWritesTheFormDefaults()
    {
        QVERIFY(SaveCalcForm(folders_, FormDefaults()).saved);
        QCOMPARE(ReadBytes(path_), QByteArray("[calcform]\r\n"
                                              "iTop=128\r\n"
                                              "iLeft=200\r\n"
                                              "ontop=0\r\n"
                                              "voice=1\r\n"
                                              "readnum=0\r\n"
                                              "daxie=0\r\n"
                                              "scrollBars=0\r\n"
                                              "showdate=1\r\n"
                                              "panel1=1\r\n"
                                              "backcolor=clMoneyGreen\r\n"
                                              "memocolor=clTeal\r\n"
                                              "fontcolor=clWhite\r\n"
                                              "fontsize=16\r\n"
                                              "number=2\r\n"
                                              "rate=280\r\n"));
        const CalcFormReading reading = LoadCalcForm(folders_);
        QVERIFY(reading.apply);
        QCOMPARE(Lines(reading.settings), Lines(FormDefaults()));
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
        CalcFormSettings settings = FormDefaults();
        settings.backcolor = TextToColour(QStringLiteral("clSkyBlue"));
        settings.memocolor = 0x00123456;
        settings.fontcolor = TextToColour(QStringLiteral("clBtnFace"));
        QVERIFY(SaveCalcForm(folders_, settings).saved);

        const QByteArray saved = ReadBytes(path_);
        QVERIFY(saved.contains(
            "backcolor=clSkyBlue\r\nmemocolor=$00123456\r\nfontcolor=clBtnFace\r\n"));
        QCOMPARE(LoadCalcForm(folders_).settings.memocolor, std::optional<Colour>(0x00123456));
        QCOMPARE(Lines(LoadCalcForm(folders_).settings), Lines(settings));
    }

    void saveKeepsTheRestOfTheFile()
    {
        WriteBytes(path_,
                   "[CalcForm]\r\nRATE=300\r\nwidth=640\r\nITOP=7\r\n\r\n"
                   "[gaokao]\r\ndate=2013-06-07\r\nname=\xB8\xDF\xBF\xBC\r\n");
        QVERIFY(SaveCalcForm(folders_, FormDefaults()).saved);

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

    void reportsWhereItCouldNotSave()
    {
        const QString blocker = dir_.filePath(QStringLiteral("blocker"));
        WriteBytes(blocker, "");
        const SettingsFolders folders{blocker, blocker + QStringLiteral("/config")};

        const SettingsFile::SaveResult result = SaveCalcForm(folders, FormDefaults());
        QVERIFY(!result.saved);
        QCOMPARE(result.path, blocker + QStringLiteral("/config/setinfo.ini"));
        QVERIFY(!SaveNumber(folders, 2).saved);
    }
};

QTEST_GUILESS_MAIN(TestCalcFormSettings)
#include "test_calcformsettings.moc"
