// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "common/keptsheet.h"
#include "common/sheetfile.h"
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
