// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include "common/sheetfile.h"
#include "engine/calcerror.h"
#include "tests/support/errorof.h"
#include "tests/support/failingfiles.h"

using namespace tallimo;

namespace {

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestSheetFile : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;

    QString PathOf(const QString &name) const { return folder_.filePath(name); }

private slots:
    void savesInGb18030WithCrLf_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("1+2=3") << QStringLiteral("1+2=3") << QByteArray("1+2=3\r\n");
        QTest::newRow("合计 and 壹元 on two lines")
            << QStringLiteral("合计\n10/4=2.5 壹元")
            << QByteArray("\xBA\xCF\xBC\xC6\r\n10/4=2.5 \xD2\xBC\xD4\xAA\r\n");
        QTest::newRow("an empty last line")
            << QStringLiteral("7*6=42\n") << QByteArray("7*6=42\r\n\r\n");
        QTest::newRow("outside GBK: € and 😀")
            << QStringLiteral("€😀") << QByteArray("\xA2\xE3\x94\x39\xFC\x36\r\n");
    }
    void savesInGb18030WithCrLf()
    {
        QFETCH(QString, sheet);
        QFETCH(QByteArray, bytes);
        const QString path = PathOf(QStringLiteral("saved.txt"));
        WriteSheetFile(path, sheet);
        QCOMPARE(ReadBytes(path), bytes);
        QCOMPARE(ReadSheetFile(path), sheet);
    }

    void readsUtf8OrGb18030_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("sheet");
        const QString chinese = QStringLiteral("1+2=3\n合计：叁");
        QTest::newRow("UTF-8 with byte order mark")
            << QByteArray("\xEF\xBB\xBF") + chinese.toUtf8().replace("\n", "\r\n") << chinese;
        QTest::newRow("UTF-8 without byte order mark, LF only") << chinese.toUtf8() << chinese;
        QTest::newRow("GB18030 with CR LF")
            << QByteArray("1+2=3\r\n\xBA\xCF\xBC\xC6\xA3\xBA\xC8\xFE\r\n") << chinese;
        QTest::newRow("old Mac CR line ends") << QByteArray("1\r2\r") << QStringLiteral("1\n2");
        QTest::newRow("empty file") << QByteArray() << QString();
        QTest::newRow("two empty lines") << QByteArray("\r\n\r\n") << QStringLiteral("\n");
    }
    void readsUtf8OrGb18030()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, sheet);
        const QString path = PathOf(QStringLiteral("read.txt"));
        WriteBytes(path, bytes);
        QCOMPARE(ReadSheetFile(path), sheet);
    }

    void addsTxtOnlyWhenMissing_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("abc") << "/home/u/abc"
                             << "/home/u/abc.txt";
        QTest::newRow("abc.txt") << "/home/u/abc.txt"
                                 << "/home/u/abc.txt";
        QTest::newRow("ABC.TXT") << "/home/u/ABC.TXT"
                                 << "/home/u/ABC.TXT";
        QTest::newRow("abc.txt.bak") << "/home/u/abc.txt.bak"
                                     << "/home/u/abc.txt.bak.txt";
        QTest::newRow("账目.csv") << "/home/u/账目.csv"
                                  << "/home/u/账目.csv.txt";
    }
    void addsTxtOnlyWhenMissing()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QCOMPARE(WithSuffix(chosen, QStringLiteral(".txt")), written);
    }

    void tellsBlankSheets_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<bool>("blank");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("blanks, tabs and line breaks") << " \t\n \n" << true;
        QTest::newRow("one digit among line breaks") << "\n\n1\n" << false;
        QTest::newRow("ideographic space") << QStringLiteral("\u3000") << false;
    }
    void tellsBlankSheets()
    {
        QFETCH(QString, sheet);
        QFETCH(bool, blank);
        QCOMPARE(IsBlankSheet(sheet), blank);
    }

    void failedSaveKeepsTheOldFile()
    {
        QTemporaryDir locked;
        const QString path = QDir(locked.path()).filePath(QStringLiteral("old.txt"));
        WriteBytes(path, "1+1=2\r\n");
        const QString message =
            ErrorOf([&] { WriteSheetFile(path, QStringLiteral("2+2=4"), ReadOnlyFolder()); });
        QCOMPARE(message, QStringLiteral("Unable to write to ") + path + QStringLiteral(": ") +
                              NoPermissionReason());
        QCOMPARE(ReadBytes(path), QByteArray("1+1=2\r\n"));
        QCOMPARE(QDir(locked.path()).entryList(QDir::Files), QStringList{"old.txt"});
    }

    // The temporary file is written, then cannot take the place of the folder; it goes again.
    void saveOverAFolderLeavesNothingBehind()
    {
        QTemporaryDir parent;
        QVERIFY(QDir(parent.path()).mkdir(QStringLiteral("abc.txt")));
        const QString path = QDir(parent.path()).filePath(QStringLiteral("abc.txt"));
        const QString message = ErrorOf([&] { WriteSheetFile(path, QStringLiteral("1+1=2")); });
        QVERIFY2(message.startsWith(QStringLiteral("Unable to write to ") + path),
                 qPrintable(message));
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(QDir(parent.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"abc.txt"});
    }

    // A lone surrogate, as a broken paste can leave, has no bytes in GB18030.
    void unencodableSheetWritesNothing()
    {
        const QString path = PathOf(QStringLiteral("broken.txt"));
        const QString message =
            ErrorOf([&] { WriteSheetFile(path, QStringLiteral("1+2=3 ") + QChar(0xD800)); });
        QVERIFY2(message.startsWith(QStringLiteral("Unable to write to ") + path),
                 qPrintable(message));
        QVERIFY(!QFile::exists(path));
    }

    void fullDiskIsReportedWithTheSystemsReason()
    {
        const QString path = PathOf(QStringLiteral("old.txt"));
        WriteBytes(path, "1+1=2\r\n");
        const QString message =
            ErrorOf([&] { WriteSheetFile(path, QStringLiteral("2+2=4"), FullDisk()); });
        QCOMPARE(message, QStringLiteral("Unable to write to %1: %2").arg(path, NoSpaceReason()));
        QCOMPARE(ReadBytes(path), QByteArray("1+1=2\r\n"));
        QCOMPARE(QDir(folder_.path()).entryList({"old.txt*"}, QDir::Files), QStringList{"old.txt"});
    }

    // The superuser saving a user's sheet leaves it the user's, with its mode.
    void replacedFileKeepsItsOwnerAndMode()
    {
        const QString path = PathOf(QStringLiteral("theirs.txt"));
        WriteBytes(path, "1\r\n");
        const QByteArray name = QFile::encodeName(path);
        QCOMPARE(::chmod(name.constData(), 0640), 0);
        const uid_t owner = geteuid() == 0 ? 1000 : geteuid();
        const gid_t group = geteuid() == 0 ? 1000 : getegid();
        QCOMPARE(::chown(name.constData(), owner, group), 0);

        WriteSheetFile(path, QStringLiteral("2"));
        struct stat after = {};
        QCOMPARE(::stat(name.constData(), &after), 0);
        QCOMPARE(after.st_uid, owner);
        QCOMPARE(after.st_gid, group);
        QCOMPARE(after.st_mode & 07777, mode_t(0640));
        QCOMPARE(ReadBytes(path), QByteArray("2\r\n"));
    }

    void failuresNameTheFileAndTheReason()
    {
        const QString missingFolder = PathOf(QStringLiteral("no such folder/a.txt"));
        const QString saveError = ErrorOf([&] { WriteSheetFile(missingFolder, "1"); });
        QVERIFY2(saveError.startsWith(QStringLiteral("Unable to write to ") + missingFolder),
                 qPrintable(saveError));
        QVERIFY(saveError.size() >
                QStringLiteral("Unable to write to : ").size() + missingFolder.size());

        const QString missingFile = PathOf(QStringLiteral("missing.txt"));
        const QString readError = ErrorOf([&] { ReadSheetFile(missingFile); });
        QVERIFY2(readError.startsWith(QStringLiteral("无法打开文件“%1”：").arg(missingFile)),
                 qPrintable(readError));

        const QString folderError = ErrorOf([&] { ReadSheetFile(folder_.path()); });
        QVERIFY2(!folderError.isEmpty(), "reading a folder must fail");
    }

    void refusesWhatIsNoSheetFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        QTest::newRow("/dev/zero") << "/dev/zero"
                                   << "它不是普通文件。";
        QTest::newRow("a pipe without a writer") << "fifo"
                                                 << "它不是普通文件。";
        QTest::newRow("64 MB and one byte") << "large.txt"
                                            << "它大于 64 MB，超出算式表能容纳的大小。";
    }
    void refusesWhatIsNoSheetFile()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        if (path == QLatin1String("fifo")) {
            path = PathOf(path);
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (path == QLatin1String("large.txt")) {
            path = PathOf(path);
            QFile large(path);
            QVERIFY(large.open(QIODevice::WriteOnly));
            QVERIFY(large.resize(MaxSheetFileBytes + 1));
        }
        QCOMPARE(ErrorOf([&] { ReadSheetFile(path); }),
                 QStringLiteral("无法打开文件“%1”：%2").arg(path, reason));
    }

    void readsAFileOfTheLimit()
    {
        const QString path = PathOf(QStringLiteral("limit.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(MaxSheetFileBytes));
        file.close();
        QCOMPARE(ReadSheetFile(path).size(), MaxSheetFileBytes);
    }
};

QTEST_GUILESS_MAIN(TestSheetFile)
#include "test_sheetfile.moc"
