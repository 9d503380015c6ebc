// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>
#include <memory>

#include "common/keptsheet.h"
#include "common/sheetfile.h"
#include "common/sheetlinebound.h"
#include "engine/calcerror.h"
#include "tests/settings/filebytes.h"
#include "tests/support/errorof.h"
#include "tests/support/failingfiles.h"

using namespace tallimo;

class TestKeptSheet : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> folder_;
    QString SheetPath() const { return folder_->filePath(QStringLiteral("sheet.txt")); }

private slots:
    void init()
    {
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
    }

    void comesBackAsWritten_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("1+2=3 newline 4*5") << QStringLiteral("1+2=3\n4*5");
        QTest::newRow("full-width and a character beyond GB2312")
            << QStringLiteral("１２＋３=15\n单价×3 😀\n");
        QTest::newRow("blank lines at both ends") << QStringLiteral("\n\n7\n\n");
    }
    void comesBackAsWritten()
    {
        QFETCH(QString, text);
        WriteKeptSheet(SheetPath(), text);
        QCOMPARE(ReadBytes(SheetPath()), text.toUtf8());
        QCOMPARE(ReadKeptSheet(SheetPath()), text);
    }

    void aMissingFileIsAnEmptySheet() { QCOMPARE(ReadKeptSheet(SheetPath()), QString()); }

    // What is not the program's own file stays as it is, and the message names it.
    void aBadFileIsLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("invalid UTF-8") << "bytes";
        QTest::newRow("a directory") << "directory";
        QTest::newRow("over 64 MB") << "huge";
        QTest::newRow("a link to nothing") << "dangling";
        QTest::newRow("unreadable") << "unreadable";
    }
    void aBadFileIsLeftAlone()
    {
        QFETCH(QString, kind);
        const QString path = SheetPath();
        const QByteArray latin1 = "12\xB5\xA5\xBC\xDB=36\r\n";
        if (kind == "bytes") {
            WriteBytes(path, latin1);
        } else if (kind == "directory") {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == "huge") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(MaxSheetFileBytes + 1));
        } else if (kind == "dangling") {
            QVERIFY(QFile::link(folder_->filePath(QStringLiteral("gone")), path));
        } else {
            WriteBytes(path, "1+1");
        }
        const QFileInfo before(path);
        const FileReads reads = kind == "unreadable" ? UnreadableFiles() : SystemFileReads();
        const QString message = ErrorOf([&] { ReadKeptSheet(path, reads); });
        QVERIFY2(message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
        const QFileInfo after(path);
        QCOMPARE(after.isDir(), before.isDir());
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after.lastModified(), before.lastModified());
        if (kind == "bytes")
            QCOMPARE(ReadBytes(path), latin1);
    }

    // The bounds of the window's sheet hold for the kept sheet as for an import: the sheet
    // starts empty and the file stays as it was.
    void aSheetBeyondTheWindowsBoundsIsLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("says");
        QTest::newRow("one line of 64 K + 1 characters")
            << QByteArray(LongestSheetLine + 1, '1') << OverlongLineMessage(1);
        QTest::newRow("a line too long after short ones")
            << "1+1\n2\r\n" + QByteArray(LongestSheetLine + 1, '2') << OverlongLineMessage(3);
        QTest::newRow("one line more than a sheet takes")
            << QByteArray("1\n").repeated(MostSheetLines) + "1" << TooManyLinesMessage();
    }
    void aSheetBeyondTheWindowsBoundsIsLeftAlone()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, says);
        WriteBytes(SheetPath(), bytes);
        const QString message = ErrorOf([&] { ReadKeptSheet(SheetPath()); });
        QVERIFY2(message.contains(says), qPrintable(message));
        QVERIFY2(message.contains(QDir::toNativeSeparators(SheetPath())), qPrintable(message));
        QCOMPARE(ReadBytes(SheetPath()), bytes);
    }

    void aSheetAtTheBoundsIsRead()
    {
        const QString text = QStringLiteral("1\n").repeated(MostSheetLines - 1) +
                             QString(LongestSheetLine, QLatin1Char('1'));
        WriteKeptSheet(SheetPath(), text);
        QCOMPARE(ReadKeptSheet(SheetPath()), text);
    }

    // The program's messages about its kept sheet are Chinese; only the system's reasons are
    // in the system's language.
    void messagesAreChinese_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a directory") << "directory";
        QTest::newRow("over 64 MB") << "huge";
        QTest::newRow("a link") << "link";
    }
    void messagesAreChinese()
    {
        QFETCH(QString, kind);
        const QString path = SheetPath();
        if (kind == "directory") {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == "huge") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(MaxSheetFileBytes + 1));
        } else {
            WriteBytes(folder_->filePath(QStringLiteral("elsewhere")), "1+1");
            QVERIFY(QFile::link(folder_->filePath(QStringLiteral("elsewhere")), path));
        }
        QString message = ErrorOf([&] { ReadKeptSheet(path); });
        message.remove(QDir::toNativeSeparators(path));
        QVERIFY2(message.startsWith(QStringLiteral("保留的算式无法读取：")), qPrintable(message));
        // No English word; a unit as "MB" may stand.
        QVERIFY2(!message.contains(QRegularExpression(QStringLiteral("[A-Za-z]{3,}"))),
                 qPrintable(message));
    }

    // The kept sheet is the program's own file: a link put in its place (to a file the user
    // may not read, say) is neither read nor written through.
    void aLinkIsNeitherReadNorWrittenThrough()
    {
        const QString target = folder_->filePath(QStringLiteral("secret"));
        WriteBytes(target, "1+1=2");
        QVERIFY(QFile::link(target, SheetPath()));

        const QString readMessage = ErrorOf([&] { ReadKeptSheet(SheetPath()); });
        QVERIFY2(readMessage.contains(SymbolicLinkReason()), qPrintable(readMessage));
        const QString writeMessage =
            ErrorOf([&] { WriteKeptSheet(SheetPath(), QStringLiteral("typed")); });
        QVERIFY2(writeMessage.contains(SymbolicLinkReason()), qPrintable(writeMessage));
        KeptSheetWriter writer;
        writer.SaveLater(SheetPath(), QStringLiteral("typed later"));
        writer.Wait();
        QVERIFY(writer.LastSaveFailed());

        QCOMPARE(ReadBytes(target), QByteArray("1+1=2"));
        QVERIFY(QFileInfo(SheetPath()).isSymLink());
    }

    // Run as the superuser with another user's HOME, the program gives what it makes there to
    // that user: the folders up to the kept sheet, and the sheet itself when it is new. A file
    // that is there keeps its owner.
    void whatIsMadeInAnotherUsersHomeIsTheirs()
    {
        const FileOwner user{4321, 4322};
        QStringList given;
        FileWrites writes = SystemFileWrites();
        writes.ownerOfNew = [&](const QString &) { return std::optional<FileOwner>(user); };
        writes.giveTo = [&](int fd, const FileOwner &owner) {
            struct stat made = {};
            ::fstat(fd, &made);
            given << QStringLiteral("%1 %2:%3")
                         .arg(S_ISDIR(made.st_mode) ? "folder" : "file")
                         .arg(owner.user)
                         .arg(owner.group);
            return 0;
        };
        const QString folder = folder_->filePath(QStringLiteral(".local/share/tallimo"));
        QCOMPARE(MakeOwnFolder(folder, writes), std::nullopt);
        QVERIFY(QFileInfo(folder).isDir());
        const QString path = folder + QStringLiteral("/sheet.txt");
        WriteKeptSheet(path, QStringLiteral("1+1"), writes);
        QCOMPARE(given, QStringList({"folder 4321:4322", "folder 4321:4322", "folder 4321:4322",
                                     "file 4321:4322"}));

        given.clear();
        struct stat made = {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &made), 0);
        WriteKeptSheet(path, QStringLiteral("2+2"), writes);
        QCOMPARE(given,
                 QStringList(QStringLiteral("file %1:%2").arg(made.st_uid).arg(made.st_gid)));
        QCOMPARE(ReadKeptSheet(path), QStringLiteral("2+2"));
    }

    // A save cut short by the end of the program leaves its temporary file; the next start
    // removes it, and nothing else.
    void staleTemporariesGo()
    {
        WriteKeptSheet(SheetPath(), QStringLiteral("1+1"));
        const QString stale = SheetPath() + QStringLiteral(".a1B2c3");
        WriteBytes(stale, "half");
        const QStringList others = {SheetPath() + QStringLiteral(".bak"),
                                    SheetPath() + QStringLiteral(".a1B2c34"),
                                    SheetPath() + QStringLiteral(".a1B2c-"),
                                    SheetPath() + QStringLiteral(".a1B2c\u00e9"),
                                    folder_->filePath(QStringLiteral("SHEET.TXT.a1B2c3")),
                                    folder_->filePath(QStringLiteral("other.txt.a1B2c3"))};
        for (const QString &other : others)
            WriteBytes(other, "mine");
        const QString linked = SheetPath() + QStringLiteral(".L1nk00");
        QVERIFY(QFile::link(others.front(), linked));

        RemoveStaleTemporaries(SheetPath());
        QVERIFY(!QFileInfo::exists(stale));
        for (const QString &other : others)
            QCOMPARE(ReadBytes(other), QByteArray("mine"));
        QVERIFY(QFileInfo(linked).isSymLink());
        QCOMPARE(ReadKeptSheet(SheetPath()), QStringLiteral("1+1"));
    }

    // A failed save on the writer's thread is told, and remembered until a save lands.
    void aFailedSaveIsToldAndRemembered()
    {
        KeptSheetWriter full(FullDisk());
        std::optional<QString> told;
        full.SaveLater(SheetPath(), QStringLiteral("1+1"),
                       [&](const std::optional<QString> &failure) { told = failure; });
        full.Wait();
        QVERIFY(told);
        QVERIFY2(told->contains(NoSpaceReason()), qPrintable(*told));
        QVERIFY(full.LastSaveFailed());

        KeptSheetWriter writer;
        writer.SaveLater(SheetPath(), QStringLiteral("1+1"),
                         [&](const std::optional<QString> &failure) { told = failure; });
        writer.Wait();
        QCOMPARE(told, std::nullopt);
        QVERIFY(!writer.LastSaveFailed());
    }

    void aFailedWriteKeepsTheEarlierFile()
    {
        WriteKeptSheet(SheetPath(), QStringLiteral("1+2=3"));
        const QString message = ErrorOf(
            [&] { WriteKeptSheet(SheetPath(), QStringLiteral("other"), ReadOnlyFolder()); });
        QVERIFY2(message.contains(NoPermissionReason()), qPrintable(message));
        QCOMPARE(ReadKeptSheet(SheetPath()), QStringLiteral("1+2=3"));
    }

    // The writer's thread keeps the order of the saves, and a removal comes after them.
    void savesLandInTheOrderAsked()
    {
        KeptSheetWriter writer;
        const QString big = QStringLiteral("123456789*987654321\n").repeated(50000);
        writer.SaveLater(SheetPath(), big);
        writer.SaveLater(SheetPath(), QStringLiteral("last"));
        writer.Wait();
        QCOMPARE(ReadKeptSheet(SheetPath()), QStringLiteral("last"));

        writer.SaveLater(SheetPath(), big);
        writer.Remove(SheetPath());
        QVERIFY(!QFileInfo::exists(SheetPath()));

        writer.SaveLater(SheetPath(), big);
        writer.SaveNow(SheetPath(), QStringLiteral("at exit"));
        QCOMPARE(ReadKeptSheet(SheetPath()), QStringLiteral("at exit"));
    }

    // The option lives in a section of its own: off when missing, and writing it changes no
    // other byte of the file.
    void theOptionKeepsTheRestOfTheFile()
    {
        const SettingsFolders folders{folder_->path(), folder_->path()};
        const QString ini = folder_->filePath(QStringLiteral("setinfo.ini"));
        const QByteArray before =
            "; note\r\n[calcform]\r\niTop=5\r\nnumber=3\n[other]\r\nx=\xB5\xA5\r\n";
        WriteBytes(ini, before);
        QVERIFY(!LoadKeepSheet(folders));
        QVERIFY(SaveKeepSheet(folders, true).saved);
        QVERIFY(LoadKeepSheet(folders));
        const QByteArray after = ReadBytes(ini);
        QVERIFY2(after.startsWith(before), after.constData());
        QCOMPARE(after.mid(before.size()), QByteArray("\r\n[keptsheet]\r\nkeep=1\r\n"));
        QVERIFY(SaveKeepSheet(folders, false).saved);
        QVERIFY(!LoadKeepSheet(folders));
    }
};

QTEST_GUILESS_MAIN(TestKeptSheet)
#include "test_keptsheet.moc"
