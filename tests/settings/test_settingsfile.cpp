// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "common/settingsfile.h"
#include "common/settingslocation.h"
#include "common/textcodec.h"
#include "tests/settings/filebytes.h"
#include "tests/support/failingfiles.h"
#include "tests/support/settingswrites.h"

using namespace tallimo;

namespace {

const QString CalcForm = QStringLiteral("calcform");
const QString Gaokao = QStringLiteral("gaokao");

}  // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT
private:
    // Each test has a folder of its own, so no file or permission outlives it.
    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        path_ = dir_->filePath(QStringLiteral("setinfo.ini"));
    }

    void readsIntegers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<int>("value");

        QTest::newRow("128") << "128" << true << 128;
        QTest::newRow("-5") << "-5" << true << -5;
        QTest::newRow("+7") << "+7" << true << 7;
        QTest::newRow("$1F") << "$1F" << true << 31;
        QTest::newRow("0x1f") << "0x1f" << true << 31;
        QTest::newRow("0X1F") << "0X1F" << true << 31;
        QTest::newRow("$FFFFFFFF") << "$FFFFFFFF" << true << -1;
        QTest::newRow("010 is decimal") << "010" << true << 10;
        QTest::newRow("2147483648") << "2147483648" << false << 0;
        QTest::newRow("$100000000") << "$100000000" << false << 0;
        QTest::newRow("$-1") << "$-1" << false << 0;
        QTest::newRow("$0x1") << "$0x1" << false << 0;
        QTest::newRow("0x") << "0x" << false << 0;
        QTest::newRow("1.5") << "1.5" << false << 0;
        QTest::newRow("12abc") << "12abc" << false << 0;
        QTest::newRow("yes") << "yes" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
    }

    void readsIntegers()
    {
        QFETCH(QString, text);
        QFETCH(bool, readable);
        QFETCH(int, value);
        const auto number = IniTextToInteger(text);
        QCOMPARE(number.has_value(), readable);
        if (readable)
            QCOMPARE(*number, value);
    }

    void keepsOtherSectionsByteForByte()
    {
        const QByteArray gaokao =
            "[gaokao]\r\ndate=2013-06-07\r\ntime=08:00:00\r\nname=\xB8\xDF\xBF\xBC\r\n";
        WriteBytes(path_, "[calcform]\r\niTop=5\r\n\r\n" + gaokao);

        SettingsFile file = SettingsFile::Load(path_);
        QCOMPARE(file.Text(Gaokao, QStringLiteral("name")), QString::fromUtf8("高考"));
        file.SetInteger(CalcForm, QStringLiteral("iTop"), 7);
        QVERIFY(file.Save(path_).saved);

        const QByteArray saved = ReadBytes(path_);
        QVERIFY(saved.startsWith("[calcform]\r\niTop=7\r\n"));
        QVERIFY(saved.contains(gaokao));
    }

    // The file's character set and line ends hold for the keys the program writes and the lines
    // it adds; every other line keeps its bytes.
    void writesInTheFilesCharsetAndLineEnds_data()
    {
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<QString>("lineBreak");
        QTest::newRow("UTF-16 LE, CR LF") << QByteArray("UTF-16LE") << "\r\n";
        QTest::newRow("UTF-16 BE, CR LF") << QByteArray("UTF-16BE") << "\r\n";
        QTest::newRow("UTF-16 LE, LF") << QByteArray("UTF-16LE") << "\n";
        QTest::newRow("UTF-16 BE, CR") << QByteArray("UTF-16BE") << "\r";
        QTest::newRow("UTF-8 with mark, CR") << QByteArray("UTF-8") << "\r";
        QTest::newRow("code page, CR") << QByteArray("GB18030") << "\r";
    }
    void writesInTheFilesCharsetAndLineEnds()
    {
        QFETCH(QByteArray, encoding);
        QFETCH(QString, lineBreak);
        const auto fileBytes = [&](QString text) {
            text.replace(QLatin1Char('\n'), lineBreak);
            if (encoding == "GB18030")
                return *EncodeGb18030(text);
            QStringEncoder encoder(encoding.constData(), QStringEncoder::Flag::WriteBom);
            return QByteArray(encoder.encode(text));
        };
        const QString before = QStringLiteral(
            "[calcform]\niTop=5\n; 高考 = note\n\n[gaokao]\nname=高考\n[other]\nx=1");
        SettingsFile file = SettingsFile::FromBytes(fileBytes(before));
        QCOMPARE(file.Integer(CalcForm, QStringLiteral("iTop")), 5);
        QCOMPARE(file.Text(Gaokao, QStringLiteral("name")), QStringLiteral("高考"));
        QCOMPARE(file.Text(QStringLiteral("other"), QStringLiteral("x")), QStringLiteral("1"));

        file.SetInteger(CalcForm, QStringLiteral("iTop"), 7);
        file.SetBoolean(CalcForm, QStringLiteral("voice"), true);
        file.SetText(Gaokao, QStringLiteral("name"), QStringLiteral("中考"));
        file.SetText(QStringLiteral("new"), QStringLiteral("y"), QStringLiteral("2"));
        QCOMPARE(file.ToBytes(),
                 fileBytes(QStringLiteral("[calcform]\niTop=7\nvoice=1\n; 高考 = note\n\n"
                                          "[gaokao]\nname=中考\n[other]\nx=1\n\n[new]\ny=2\n")));
    }

    // A lone surrogate stays as it is, and half a character at the end stays there.
    void keepsBrokenUtf16AsItIs()
    {
        const QByteArray broken = QByteArrayLiteral(
            "\xFF\xFE[\0g\0]\0\r\0\n\0"
            "\x00\xD8=\0\r\0\n\0\x41");
        SettingsFile file = SettingsFile::FromBytes(broken);
        file.SetInteger(CalcForm, QStringLiteral("iTop"), 1);
        const QByteArray saved = file.ToBytes();
        QVERIFY(saved.startsWith(broken.chopped(1)));
        QVERIFY(saved.endsWith(QByteArray("\n\0A", 3)));
        QCOMPARE(SettingsFile::FromBytes(saved).Integer(CalcForm, QStringLiteral("iTop")), 1);
    }

    // Half a character after one of the program's own keys is no part of it: the key reads and
    // is replaced without it.
    void keepsHalfACharacterAfterItsOwnKey()
    {
        const QByteArray file = QByteArrayLiteral(
            "\xFF\xFE[\0c\0]\0\r\0\n\0k\0=\0"
            "5\0\x41");
        SettingsFile settings = SettingsFile::FromBytes(file);
        QCOMPARE(settings.Integer(QStringLiteral("c"), QStringLiteral("k")), 5);
        settings.SetInteger(QStringLiteral("c"), QStringLiteral("k"), 7);
        QCOMPARE(settings.ToBytes(), QByteArray(file).replace("5\0", "7\0"));
    }

    // A long s and a Kelvin sign fold to "s" and "k" in Unicode, yet make other names.
    void foldsOnlyAsciiLetters()
    {
        QStringEncoder encoder(QStringConverter::Utf16LE, QStringEncoder::Flag::WriteBom);
        const SettingsFile file = SettingsFile::FromBytes(encoder.encode(QStringLiteral(
            "[CALCFORM]\nfont\u017Fize=3\n[gao\u212Aao]\nname=x\n[GaoKao]\nNAME=y")));
        QCOMPARE(file.Text(CalcForm, QStringLiteral("fontsize")), std::nullopt);
        QCOMPARE(file.Text(Gaokao, QStringLiteral("name")), QStringLiteral("y"));
    }

    // Files of any bytes: writing the window's keys and the countdown's name into them keeps
    // every line the program does not own, and what is written reads back.
    void writesIntoAnyBytesKeepWhatIsNotTheirs_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("code page: a line ended by CR alone before added lines, LF elsewhere")
            << QByteArray("[x]\nk=0\r");
        QTest::newRow(
            "UTF-16 LE: vertical tab, odd length, [calcform\\x0F], a CR line, a lone "
            "surrogate")
            << QByteArray::fromBase64(
                   "//4LWwA/YwBhAGwAYwBmAG8AcgBtAA8AXQBNAAoAYQBUAG8AcAA9ADAADQCHh4eH"
                   "h4eHh4eHh4eHh4cKAADY");
        QTest::newRow("UTF-16 LE: iTop on the last line, half a character after it")
            << QByteArrayLiteral(
                   "\xFF\xFE[\0c\0a\0l\0c\0f\0o\0r\0m\0]\0\r\0\n\0"
                   "i\0T\0o\0p\0=\0"
                   "5\0\x41");
        QTest::newRow("UTF-16 LE: font\u017Fize=3 and [gao\u212Aao], a long s and a Kelvin sign")
            << QByteArrayLiteral(
                   "\xFF\xFE[\0c\0a\0l\0c\0f\0o\0r\0m\0]\0\n\0f\0o\0n\0t\0\x7F\x01i\0z\0e\0=\0"
                   "3\0\n\0[\0g\0a\0o\0\x2A\x21\0a\0o\0]\0\n\0n\0a\0m\0e\0=\0x\0\n\0");
        QTest::newRow("UTF-16 BE: a line without = before half a character")
            << QByteArrayLiteral("\xFE\xFF\0[\0x\0]\0\r\0w\xD8");
    }
    void writesIntoAnyBytesKeepWhatIsNotTheirs()
    {
        QFETCH(QByteArray, file);
        const char *fault = settingswrites::WriteFault(file);
        QVERIFY2(!fault, fault);
    }

    void keepsGbkNamesThatDifferInTrailByteCase()
    {
        // 0x81 0x41 and 0x81 0x61 are two characters whose second bytes read as "A" and "a".
        const QByteArray section = "[gaokao]\r\n\x81\x41=1\r\n\x81\x61=2\r\n";
        WriteBytes(path_, section);

        const SettingsFile file = SettingsFile::Load(path_);
        QCOMPARE(file.Integer(Gaokao, *DecodeGb18030("\x81\x41")), 1);
        QCOMPARE(file.Integer(Gaokao, *DecodeGb18030("\x81\x61")), 2);
        QCOMPARE(file.ToBytes(), section);
    }

    void findsNamesInAnyCaseAndWritesInPlace()
    {
        WriteBytes(path_, "[CalcForm]\nITOP=5\nExtra=x\n");

        SettingsFile file = SettingsFile::Load(path_);
        QCOMPARE(file.Integer(CalcForm, QStringLiteral("iTop")), 5);
        file.SetInteger(CalcForm, QStringLiteral("iTop"), 6);
        QCOMPARE(file.ToBytes(), QByteArray("[CalcForm]\niTop=6\nExtra=x\n"));
    }

    void keepsCommentsAndRepeatedKeys()
    {
        WriteBytes(path_, "[calcform]\r\n; placed by hand\r\nfoo=1\r\nfoo=2\r\niTop=3\r\n");

        SettingsFile file = SettingsFile::Load(path_);
        QCOMPARE(file.Text(CalcForm, QStringLiteral("foo")), QStringLiteral("1"));
        file.SetInteger(CalcForm, QStringLiteral("iTop"), 4);
        QVERIFY(file.ToBytes().endsWith("; placed by hand\r\nfoo=1\r\nfoo=2\r\niTop=4\r\n"));
    }

    // A new key follows the last key of its section; a new section goes at the end, after a
    // blank line. Everything else stays where it was.
    void addsKeysWhereTheyBelong_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("after the last key, before a comment and a blank line")
            << QByteArray("[calcform]\r\niTop=1\r\n; countdown\r\n\r\n[gaokao]\r\nname=x\r\n")
            << CalcForm
            << QByteArray(
                   "[calcform]\r\niTop=1\r\nvoice=1\r\n; countdown\r\n\r\n[gaokao]\r\nname=x\r\n");
        QTest::newRow("right after the header of an empty section")
            << QByteArray("[calcform]\n\n[gaokao]\nname=x\n") << CalcForm
            << QByteArray("[calcform]\nvoice=1\n\n[gaokao]\nname=x\n");
        QTest::newRow("a section at the end of a file without a final line break")
            << QByteArray("[gaokao]\r\nname=x") << CalcForm
            << QByteArray("[gaokao]\r\nname=x\r\n\r\n[calcform]\r\nvoice=1\r\n");
        QTest::newRow("the first appearance of a repeated section")
            << QByteArray("[calcform]\r\na=1\r\n[x]\r\n[calcform]\r\nb=2\r\n") << CalcForm
            << QByteArray("[calcform]\r\na=1\r\nvoice=1\r\n[x]\r\n[calcform]\r\nb=2\r\n");
        QTest::newRow("a GBK section name ending in the byte of ]")
            << QByteArray("[\x81\x5D]\r\n[\x81\x5D]x]\r\n") << QString(QChar(0x4E5A))
            << QByteArray("[\x81\x5D]\r\nvoice=1\r\n[\x81\x5D]x]\r\n");
    }

    void addsKeysWhereTheyBelong()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QByteArray, after);
        SettingsFile file = SettingsFile::FromBytes(before);
        file.SetBoolean(section, QStringLiteral("voice"), true);
        QCOMPARE(file.ToBytes(), after);
        QCOMPARE(SettingsFile::FromBytes(after).Boolean(section, QStringLiteral("voice")), true);
    }

    void readsBooleans_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<std::optional<bool>>("value");

        QTest::newRow("ontop=1") << QByteArray("ontop=1") << std::optional<bool>(true);
        QTest::newRow("ontop=0") << QByteArray("ontop=0") << std::optional<bool>(false);
        QTest::newRow("ontop=-3") << QByteArray("ontop=-3") << std::optional<bool>(true);
        QTest::newRow("ontop=$0") << QByteArray("ontop=$0") << std::optional<bool>(false);
        QTest::newRow("ontop=true") << QByteArray("ontop=true") << std::optional<bool>();
        QTest::newRow("no key") << QByteArray("other=1") << std::optional<bool>();
    }

    void readsBooleans()
    {
        QFETCH(QByteArray, line);
        QFETCH(std::optional<bool>, value);
        WriteBytes(path_, "[calcform]\r\n" + line + "\r\n");
        QCOMPARE(SettingsFile::Load(path_).Boolean(CalcForm, QStringLiteral("ontop")), value);
    }

    void aLineBreakInAValueStaysInsideIt()
    {
        SettingsFile file;
        file.SetText(Gaokao, QStringLiteral("name"), QStringLiteral("a\r\n[calcform]\niTop=0"));
        QVERIFY(file.Save(path_).saved);

        const SettingsFile reread = SettingsFile::Load(path_);
        QCOMPARE(reread.Text(CalcForm, QStringLiteral("iTop")), std::nullopt);
        QCOMPARE(reread.Text(Gaokao, QStringLiteral("name")),
                 QStringLiteral("a  [calcform] iTop=0"));
    }

    void savesIntoAMissingFolder()
    {
        const QString path = dir_->filePath(QStringLiteral("new/folder/setinfo.ini"));
        SettingsFile file;
        file.SetBoolean(CalcForm, QStringLiteral("voice"), true);
        QVERIFY(file.Save(path).saved);
        QCOMPARE(ReadBytes(path), QByteArray("[calcform]\r\nvoice=1\r\n"));
    }

    void failsWhereAFileStandsForTheFolder()
    {
        const QString blocker = dir_->filePath(QStringLiteral("blocker"));
        WriteBytes(blocker, "kept");
        const QString path = blocker + QStringLiteral("/setinfo.ini");

        const SettingsFile::SaveResult result = SettingsFile().Save(path);
        QVERIFY(!result.saved);
        QCOMPARE(result.path, path);
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(ReadBytes(blocker), QByteArray("kept"));
    }

    void fullDiskIsReportedWithTheSystemsReason()
    {
        WriteBytes(path_, "[calcform]\r\niTop=5\r\n");
        SettingsFile file = SettingsFile::Load(path_);
        file.SetInteger(CalcForm, QStringLiteral("iTop"), 9);
        const SettingsFile::SaveResult result = file.Save(path_, FullDisk());
        QVERIFY(!result.saved);
        QCOMPARE(result.error, NoSpaceReason());
        QCOMPARE(ReadBytes(path_), QByteArray("[calcform]\r\niTop=5\r\n"));
    }

    void failsInAReadOnlyFolderAndKeepsTheOldFile()
    {
        const QByteArray old = "[calcform]\r\niTop=5\r\n[gaokao]\r\nname=\xB8\xDF\xBF\xBC\r\n";
        WriteBytes(path_, old);

        SettingsFile file = SettingsFile::Load(path_);
        file.SetInteger(CalcForm, QStringLiteral("iTop"), 9);
        const SettingsFile::SaveResult result = file.Save(path_, ReadOnlyFolder());

        QVERIFY(!result.saved);
        QCOMPARE(result.path, path_);
        QCOMPARE(result.error, NoPermissionReason());
        QCOMPARE(ReadBytes(path_), old);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"setinfo.ini"});
    }

    void refusesToReplaceAFileItCouldNotRead()
    {
        WriteBytes(path_, "[gaokao]\r\nname=x\r\n");

        const SettingsFile file = SettingsFile::Load(path_, UnreadableFiles());
        QVERIFY(!file.IsIntact());
        QVERIFY(!file.Save(path_).saved);

        QCOMPARE(ReadBytes(path_), QByteArray("[gaokao]\r\nname=x\r\n"));
    }

    // A value the file's character set cannot hold fails the save, and the file on disk stays as
    // it was: it is never emptied or half written.
    void unencodableValuesFailTheSave_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("saved");

        const QByteArray gbk = "[gaokao]\r\nname=\xB8\xDF\xBF\xBC\r\n[other]\r\nk=\xC4\xE3\r\n";
        QTest::newRow("GBK file, private-use U+E81E") << gbk << QString(QChar(0xE81E)) << false;
        QTest::newRow("GBK file, lone surrogate") << gbk << QString(QChar(0xD800)) << false;
        QTest::newRow("GBK file, U+20000 beyond the BMP")
            << gbk << QString::fromUcs4(U"\U00020000") << true;
        QTest::newRow("UTF-8 file with a byte order mark, private-use U+E81E")
            << QByteArray("\xEF\xBB\xBF[gaokao]\r\nname=x\r\n") << QString(QChar(0xE81E)) << true;
    }

    void unencodableValuesFailTheSave()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, name);
        QFETCH(bool, saved);
        WriteBytes(path_, file);

        SettingsFile settings = SettingsFile::Load(path_);
        settings.SetInteger(CalcForm, QStringLiteral("iTop"), 9);
        settings.SetText(Gaokao, QStringLiteral("name"), name);
        const SettingsFile::SaveResult result = settings.Save(path_);

        QCOMPARE(result.saved, saved);
        if (saved) {
            QCOMPARE(SettingsFile::Load(path_).Text(Gaokao, QStringLiteral("name")), name);
        } else {
            QVERIFY(!result.error.isEmpty());
            QCOMPARE(ReadBytes(path_), file);
        }
    }

    void placesTheFileBesideAWritableExecutable()
    {
        const SettingsFolders folders{dir_->filePath(QStringLiteral("bin")),
                                      dir_->filePath(QStringLiteral("config"))};
        QVERIFY(QDir().mkpath(folders.besideExecutable));
        const QString beside = folders.besideExecutable + QStringLiteral("/setinfo.ini");
        QCOMPARE(SettingsWritePath(folders), beside);
        QCOMPARE(SettingsReadPath(folders), beside);
    }

    void fallsBackToTheConfigurationFolder()
    {
        const SettingsFolders folders{dir_->filePath(QStringLiteral("bin")),
                                      dir_->filePath(QStringLiteral("config"))};
        QVERIFY(QDir().mkpath(folders.besideExecutable));
        const QString beside = folders.besideExecutable + QStringLiteral("/setinfo.ini");
        const QString config = folders.userConfiguration + QStringLiteral("/setinfo.ini");
        WriteBytes(beside, "[calcform]\r\niTop=1\r\n");
        const FileWrites readOnly = ReadOnlyFolder();

        QCOMPARE(SettingsWritePath(folders, readOnly), config);
        QCOMPARE(SettingsReadPath(folders, readOnly), beside);
        QVERIFY(SettingsFile::Load(SettingsReadPath(folders, readOnly)).Save(config).saved);
        QCOMPARE(SettingsReadPath(folders, readOnly), config);
    }

    // Settings saved while the executable's folder was read-only still read once it is writable;
    // the next save puts them beside the executable.
    void readsTheConfigurationFolderWhenNothingLiesBesideTheExecutable()
    {
        const SettingsFolders folders{dir_->filePath(QStringLiteral("bin")),
                                      dir_->filePath(QStringLiteral("config"))};
        QVERIFY(QDir().mkpath(folders.besideExecutable));
        const QString config = folders.userConfiguration + QStringLiteral("/setinfo.ini");
        QVERIFY(SettingsFile().Save(config).saved);

        QCOMPARE(SettingsWritePath(folders), folders.besideExecutable + "/setinfo.ini");
        QCOMPARE(SettingsReadPath(folders), config);
    }

    // The settings file is the program's own: a link in its place is neither read nor written
    // through, and the file it names stays as it was.
    void aLinkIsNeitherReadNorWrittenThrough()
    {
        const QString target = dir_->filePath(QStringLiteral("elsewhere.ini"));
        const QByteArray bytes = "[calcform]\r\niTop=7\r\n";
        WriteBytes(target, bytes);
        QVERIFY(QFile::link(target, path_));

        const SettingsFile linked = SettingsFile::Load(path_);
        QVERIFY(!linked.IsIntact());
        QCOMPARE(linked.Integer(QStringLiteral("calcform"), QStringLiteral("iTop")), std::nullopt);
        SettingsFile fresh;
        fresh.SetInteger(QStringLiteral("calcform"), QStringLiteral("iTop"), 9);
        const SettingsFile::SaveResult result = fresh.Save(path_);
        QVERIFY(!result.saved);
        QCOMPARE(result.error, SymbolicLinkReason());
        QCOMPARE(ReadBytes(target), bytes);
        QVERIFY(QFileInfo(path_).isSymLink());
    }

    void fallsBackWhenTheExecutableFolderIsNoFolder()
    {
        const SettingsFolders folders{dir_->filePath(QStringLiteral("missing")),
                                      dir_->filePath(QStringLiteral("config"))};
        QCOMPARE(SettingsWritePath(folders), folders.userConfiguration + "/setinfo.ini");
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settingsfile.moc"
