// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include "common/colourtext.h"

using namespace tallimo;

class TestColourText : public QObject {
    Q_OBJECT
private slots:
    void readsAndWrites_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QString>("written");

        QTest::newRow("clSkyBlue") << "clSkyBlue" << 0x00F0CAA6u << "clSkyBlue";
        QTest::newRow("CLMONEYGREEN") << "CLMONEYGREEN" << 0x00C0DCC0u << "clMoneyGreen";
        QTest::newRow("cl3ddkshadow") << "cl3ddkshadow" << 0xFF000015u << "cl3DDkShadow";
        QTest::newRow("clMenuBar") << "clMenuBar" << 0xFF00001Eu << "clMenuBar";
        QTest::newRow("clNone") << "clNone" << 0x1FFFFFFFu << "clNone";
        QTest::newRow("clDefault") << "clDefault" << 0x20000000u << "clDefault";
        QTest::newRow("$000000FF") << "$000000FF" << 0x000000FFu << "clRed";
        QTest::newRow("255") << "255" << 0x000000FFu << "clRed";
        QTest::newRow("$00123456") << "$00123456" << 0x00123456u << "$00123456";
        QTest::newRow("$abcdef") << "$abcdef" << 0x00ABCDEFu << "$00ABCDEF";
        QTest::newRow("0x10") << "0x10" << 0x10u << "$00000010";
        QTest::newRow("1193046") << "1193046" << 0x00123456u << "$00123456";
        QTest::newRow("-16777211") << "-16777211" << 0xFF000005u << "clWindow";
        QTest::newRow("$FF000019 unnamed system colour")
            << "$FF000019" << 0xFF000019u << "$FF000019";
    }

    void readsAndWrites()
    {
        QFETCH(QString, text);
        QFETCH(quint32, value);
        QFETCH(QString, written);
        QCOMPARE(TextToColour(text), std::optional<Colour>(value));
        QCOMPARE(ColourToText(value), written);
    }

    void rejectsOtherTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("clSky") << "clSky";
        QTest::newRow("red") << "red";
        QTest::newRow("$") << "$";
        QTest::newRow("$12G") << "$12G";
        QTest::newRow("$1FFFFFFFF") << "$1FFFFFFFF";
        QTest::newRow("#FF0000") << "#FF0000";
        QTest::newRow("1.5") << "1.5";
    }

    void rejectsOtherTexts()
    {
        QFETCH(QString, text);
        QCOMPARE(TextToColour(text), std::nullopt);
    }

    void mapsToDisplay_data()
    {
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<int>("kind");
        QTest::addColumn<quint32>("rgb");
        QTest::addColumn<int>("systemIndex");

        using Kind = DisplayColour::Kind;
        QTest::newRow("clRed") << 0x000000FFu << int(Kind::Rgb) << 0xFF0000u << 0;
        QTest::newRow("clSkyBlue") << 0x00F0CAA6u << int(Kind::Rgb) << 0xA6CAF0u << 0;
        QTest::newRow("clBtnFace") << 0xFF00000Fu << int(Kind::System) << 0u << 15;
        QTest::newRow("clNone") << ColourNone << int(Kind::None) << 0u << 0;
        QTest::newRow("clDefault") << ColourDefault << int(Kind::Default) << 0u << 0;
    }

    void mapsToDisplay()
    {
        QFETCH(quint32, colour);
        QFETCH(int, kind);
        QFETCH(quint32, rgb);
        QFETCH(int, systemIndex);
        const DisplayColour display = ToDisplayColour(colour);
        QCOMPARE(int(display.kind), kind);
        QCOMPARE(display.rgb, rgb);
        QCOMPARE(display.systemIndex, systemIndex);
    }
};

QTEST_GUILESS_MAIN(TestColourText)
#include "test_colourtext.moc"
