// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include "common/textcodec.h"

using namespace tallimo;

class TestTextCodec : public QObject {
    Q_OBJECT
private slots:
    // Code page 936 text reads and writes back to the same bytes.
    void gb18030RoundTrips_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");

        QTest::newRow("iTop=128") << QByteArray("iTop=128") << QStringLiteral("iTop=128");
        QTest::newRow("NUL inside") << QByteArrayLiteral("a\0b") << QString::fromUtf16(u"a\0b", 3);
        QTest::newRow("GBK 高考") << QByteArray("\xB8\xDF\xBF\xBC") << QString::fromUtf8("高考");
        QTest::newRow("GBK trail byte 0x5D") << QByteArray("\x81\x5D") << QString(QChar(0x4E5A));
        QTest::newRow("euro sign") << QByteArray("\xA2\xE3") << QString::fromUtf8("€");
        QTest::newRow("four bytes, U+20000")
            << QByteArray("\x95\x32\x82\x36") << QString::fromUcs4(U"\U00020000");
    }

    void gb18030RoundTrips()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(DecodeGb18030(bytes), text);
        QCOMPARE(EncodeGb18030(text), bytes);
    }

    void refusesWhatItCannotConvert_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");

        QTest::newRow("bytes 0xFF, private-use U+E81E")
            << QByteArray("\xFF") << QString(QChar(0xE81E));
        QTest::newRow("bytes 0x80, private-use U+E78D")
            << QByteArray("a\x80") << QString(QChar(0xE78D));
        QTest::newRow("a lead byte at the end, a lone high surrogate")
            << QByteArray("\xB8\xDF\xBF") << QString(QChar(0xD800));
        QTest::newRow("a cut four-byte character, a lone low surrogate")
            << QByteArray("\x95\x32\x82") << QStringLiteral("x") + QChar(0xDC00);
    }

    void refusesWhatItCannotConvert()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(DecodeGb18030(bytes), std::nullopt);
        QCOMPARE(EncodeGb18030(text), std::nullopt);
    }

    void utf8IsStrict()
    {
        QCOMPARE(DecodeUtf8("\xE9\xAB\x98"), QString::fromUtf8("高"));
        QCOMPARE(DecodeUtf8("\xB8\xDF"), std::nullopt);
        QCOMPARE(DecodeUtf8("\xEF\xBB\xBFx"), QString(QChar(0xFEFF)) + QLatin1Char('x'));
        QCOMPARE(EncodeUtf8(QString(QChar(0xE81E))), QByteArray("\xEE\xA0\x9E"));
        QCOMPARE(EncodeUtf8(QString(QChar(0xD800))), std::nullopt);
    }

    void sheetBytesPreferUtf8()
    {
        QCOMPARE(DecodeSheetBytes("\xEF\xBB\xBF\xE9\xAB\x98"), QString::fromUtf8("高"));
        QCOMPARE(DecodeSheetBytes("\xB8\xDF\xBF\xBC"), QString::fromUtf8("高考"));
        QCOMPARE(DecodeSheetBytes("1+1\xFF"), QString::fromUtf8("1+1\uFFFD"));
    }
};

QTEST_GUILESS_MAIN(TestTextCodec)
#include "test_textcodec.moc"
