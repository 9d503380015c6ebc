// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QRandomGenerator>
#include <QTest>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/calcerror.h"
#include "engine/evaluator.h"
#include "engine/numbersyntax.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"

using namespace tallimo;

Q_DECLARE_METATYPE(tallimo::Value)

namespace {

RegionalSettings WithSeparator(QChar separator)
{
    RegionalSettings regional;
    regional.decimalSeparator = separator;
    return regional;
}

}  // namespace

class TestNumberSyntax : public QObject {
    Q_OBJECT
private slots:
    void readsNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");

        const QChar point = QLatin1Char('.');
        const QChar comma = QLatin1Char(',');
        QTest::newRow("12") << "12" << point << true << 12.0;
        QTest::newRow("  -3.5  ") << "  -3.5  " << point << true << -3.5;
        QTest::newRow("+.5") << "+.5" << point << true << 0.5;
        QTest::newRow("5.") << "5." << point << true << 5.0;
        QTest::newRow(".") << "." << point << true << 0.0;
        QTest::newRow("1E5") << "1E5" << point << true << 1e5;
        QTest::newRow("1E") << "1E" << point << true << 1.0;
        QTest::newRow("2.5e+3") << "2.5e+3" << point << true << 2500.0;
        QTest::newRow("1E-5") << "1E-5" << point << true << 1e-5;
        QTest::newRow("1E-99999") << "1E-99999" << point << true << 0.0;
        QTest::newRow("1,5 with comma") << "1,5" << comma << true << 1.5;
        QTest::newRow("1.5 with comma") << "1.5" << comma << false << 0.0;
        QTest::newRow("1,5 with point") << "1,5" << point << false << 0.0;
        QTest::newRow("empty") << "" << point << false << 0.0;
        QTest::newRow("-") << "-" << point << false << 0.0;
        QTest::newRow("1 2") << "1 2" << point << false << 0.0;
        QTest::newRow("tab before") << "\t1" << point << false << 0.0;
        QTest::newRow("E5") << "E5" << point << false << 0.0;
        QTest::newRow("0x10") << "0x10" << point << false << 0.0;
        QTest::newRow("inf") << "inf" << point << false << 0.0;
        QTest::newRow("nan") << "nan" << point << false << 0.0;
        QTest::newRow("1E5000 overflows") << "1E5000" << point << false << 0.0;
        QTest::newRow("full-width digit") << QString::fromUtf8("１") << point << false << 0.0;
        QTest::newRow("a million ones E-1000000")
            << QString(1000000, QLatin1Char('1')) + QStringLiteral("E-1000000") << point << true
            << 1.0 / 9;
    }

    void readsNumbers()
    {
        QFETCH(QString, text);
        QFETCH(QChar, separator);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        const RegionalSettings regional = WithSeparator(separator);
        QCOMPARE(IsNumber(text, regional), isNumber);
        if (isNumber) {
            QCOMPARE(static_cast<double>(TextToValue(text, regional)), value);
        } else {
            QVERIFY_THROWS_EXCEPTION(CalcError, TextToValue(text, regional));
        }
    }

    // Short decimals convert by one exact multiplication or division; every conversion must
    // still agree with the C library's correctly rounded strtold.
    void readsLikeStrtold()
    {
        QRandomGenerator random(61210);
        for (int i = 0; i < 200000; ++i) {
            QByteArray digits = QByteArray::number(random.generate64() >> random.bounded(0, 64));
            const int point = random.bounded(0, static_cast<int>(digits.size()) + 1);
            if (random.bounded(2))
                digits.insert(point, '.');
            if (random.bounded(2))
                digits += 'E' + QByteArray::number(random.bounded(-40, 41));
            const Value expected = std::strtold(digits.constData(), nullptr);
            const Value read = TextToValue(QString::fromLatin1(digits), RegionalSettings());
            if (read != expected)
                QFAIL(digits.constData());
        }
    }

    void readsToExtendedPrecision()
    {
        const RegionalSettings regional;
        QCOMPARE(TextToValue(u"0.1", regional), 0.1L);
        QCOMPARE(TextToValue(u"3.14159265358979323846264338327950288", regional), Pi);
        QVERIFY(TextToValue(u"1E4900", regional) > 1e4899L);
    }

    void piHasTheDocumentedMantissa()
    {
        Value pi = Pi;
        unsigned long long mantissa = 0;
        std::memcpy(&mantissa, &pi, sizeof mantissa);
        QCOMPARE(mantissa, 0xC90FDAA22168C235ULL);
    }

    void writesNumberText_data()
    {
        QTest::addColumn<Value>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0.0L << "0";
        QTest::newRow("1/3") << 1.0L / 3 << "0.333333333333333";
        QTest::newRow("2/3") << 2.0L / 3 << "0.666666666666667";
        QTest::newRow("-2/3") << -2.0L / 3 << "-0.666666666666667";
        QTest::newRow("987654321098765") << 987654321098765.0L << "987654321098765";
        QTest::newRow("9876543210987654") << 9876543210987654.0L << "9.87654321098765E15";
        QTest::newRow("1E15") << 1e15L << "1E15";
        QTest::newRow("999999999999999.5 rounds up to 1E15") << 999999999999999.5L << "1E15";
        QTest::newRow("0.0001") << 0.0001L << "0.0001";
        QTest::newRow("0.00001") << 0.00001L << "1E-5";
        QTest::newRow("-0.00000015") << -0.00000015L << "-1.5E-7";
        QTest::newRow("pi") << Pi << "3.14159265358979";
        QTest::newRow("1E20") << 1e20L << "1E20";
        QTest::newRow("100") << 100.0L << "100";
        QTest::newRow("81.64") << 81.64L << "81.64";
        QTest::newRow("an exact tie rounds up") << 100000000000000.5L << "100000000000001";
        QTest::newRow("a negative tie rounds away from 0")
            << -100000000000002.5L << "-100000000000003";
        QTest::newRow("largest") << std::numeric_limits<Value>::max() << "1.18973149535723E4932";
        QTest::newRow("smallest subnormal")
            << std::numeric_limits<Value>::denorm_min() << "3.64519953188247E-4951";
    }

    void writesNumberText()
    {
        QFETCH(Value, value);
        QFETCH(QString, text);
        QCOMPARE(NumberText(value, RegionalSettings()), text);
    }

    // The number text against an independent reading of the C library's exact conversion: 60
    // digits, rounded half up to 15 by hand. Values spread over every magnitude the sheet
    // meets, and the neighbours of powers of ten where the leading digit changes.
    void numberTextAgreesWithExactPrinting()
    {
        QRandomGenerator random(20261210);
        QList<Value> values;
        for (int i = 0; i < 100000; ++i) {
            const Value mantissa =
                static_cast<Value>(random.generate64()) / 18446744073709551616.0L;
            values << std::ldexp(0.5L + mantissa / 2, random.bounded(-60, 70));
        }
        for (int power = -14; power <= 18; ++power) {
            const Value ten = std::pow(10.0L, power);
            values << ten << std::nextafter(ten, 0.0L) << std::nextafter(ten, 1e30L);
            values << ten * 9.999999999999995L << ten * 0.5L;
        }
        for (const Value value : std::as_const(values)) {
            char exact[128];
            std::snprintf(exact, sizeof exact, "%.60Le", value);
            QByteArray digits;
            for (const char *p = exact; *p != 'e'; ++p) {
                if (*p >= '0' && *p <= '9')
                    digits += *p;
            }
            int exponent = std::atoi(std::strchr(exact, 'e') + 1);
            QByteArray rounded = digits.left(15);
            if (digits[15] >= '5') {
                int k = 14;
                while (k >= 0 && rounded[k] == '9')
                    rounded[k--] = '0';
                if (k < 0) {
                    rounded.prepend('1');
                    ++exponent;
                } else {
                    ++rounded[k];
                }
            }
            const QByteArray reference =
                rounded.left(1) + '.' + rounded.mid(1, 14) + 'e' + QByteArray::number(exponent);
            const Value expected = std::strtold(reference.constData(), nullptr);
            const QString text = NumberText(value, RegionalSettings());
            if (TextToValue(text, RegionalSettings()) != expected)
                QFAIL(qPrintable(
                    QStringLiteral("%1 written as %2, expected %3")
                        .arg(QString::fromLatin1(exact), text, QString::fromLatin1(reference))));
        }
    }

    void numberTextUsesTheRegionalSeparator()
    {
        const RegionalSettings comma = WithSeparator(QLatin1Char(','));
        QCOMPARE(NumberText(2.5L, comma), QStringLiteral("2,5"));
        QCOMPARE(NumberText(-1.5e-7L, comma), QStringLiteral("-1,5E-7"));
        QCOMPARE(TextToValue(NumberText(1.0L / 3, comma), comma),
                 TextToValue(u"0.333333333333333", RegionalSettings()));
    }

    // The process may run in a locale whose C library decimal point is a comma; the engine's
    // texts follow the regional settings passed in, never that locale.
    void ignoresTheProcessNumericLocale()
    {
        const QByteArray saved = std::setlocale(LC_NUMERIC, nullptr);
        if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
            QSKIP("no locale with a decimal comma is installed");
        const RegionalSettings point;
        const RegionalSettings comma = WithSeparator(QLatin1Char(','));
        const Value read = TextToValue(u"2.5", point);
        const Value readComma = TextToValue(u"2,5", comma);
        const QString written = NumberText(1.0L / 3, point);
        std::setlocale(LC_NUMERIC, saved.constData());
        QCOMPARE(read, 2.5L);
        QCOMPARE(readComma, 2.5L);
        QCOMPARE(written, QStringLiteral("0.333333333333333"));
    }

    void roundsToDecimals_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("1/3 with 2") << 1.0 / 3 << 2 << "0.33";
        QTest::newRow("1/3 with 0") << 1.0 / 3 << 0 << "0";
        QTest::newRow("1/3 with 4") << 1.0 / 3 << 4 << "0.3333";
        QTest::newRow("2.5 with 0 to even") << 2.5 << 0 << "2";
        QTest::newRow("3.5 with 0 to even") << 3.5 << 0 << "4";
        QTest::newRow("-2.5 with 0 to even") << -2.5 << 0 << "-2";
        QTest::newRow("0-0.001 with 2") << -0.001 << 2 << "0";
        QTest::newRow("81.6410161513776 with 2") << 81.6410161513776 << 2 << "81.64";
        QTest::newRow("9001 with 15") << 9001.0 << 15 << "9001";
        QTest::newRow("10000 with 15 keeps its value") << 10000.0 << 15 << "10000";
        QTest::newRow("1E20+1 with 2 keeps its value") << 1e20 << 2 << "1E20";
        QTest::newRow("-1E300 with 0") << -1e300 << 0 << "-1E300";
    }

    void roundsToDecimals()
    {
        QFETCH(double, x);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(NumberText(DecimalRound(x, decimals), RegionalSettings()), text);
    }
};

QTEST_GUILESS_MAIN(TestNumberSyntax)
#include "test_numbersyntax.moc"
