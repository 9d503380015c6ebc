// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include <cmath>
#include <limits>

#include "common/numerals.h"
#include "engine/calcerror.h"

using namespace tallimo;

Q_DECLARE_METATYPE(tallimo::CalcError::Kind)

namespace {

RegionalSettings WithSeparator(QChar separator)
{
    RegionalSettings regional;
    regional.decimalSeparator = separator;
    return regional;
}

template <typename Call>
std::optional<CalcError::Kind> FailureOf(Call call)
{
    try {
        call();
    } catch (const CalcError &error) {
        return error.kind();
    }
    return std::nullopt;
}

}  // namespace

class TestNumerals : public QObject {
    Q_OBJECT
private slots:
    void writesNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("numeral");

        const auto row = [](const char *text, const char *numeral) {
            QTest::newRow(text) << QString::fromLatin1(text) << QString::fromUtf8(numeral);
        };
        row("0", "");
        row("0.5", "点伍");
        row("0.05", "点零伍");
        row("7", "柒");
        row("10", "壹拾");
        row("15", "壹拾伍");
        row("101", "壹佰零壹");
        row("1010", "壹千零壹拾");
        row("10010", "壹万零壹拾");
        row("20500", "贰万零伍佰");
        row("100000", "拾万");
        row("110000", "拾壹万");
        row("1100000", "壹佰拾万");
        row("10000000", "壹千万");
        row("100000000", "壹亿");
        row("100010000", "壹亿零壹万");
        row("105000000", "壹亿零伍佰万");
        row("1000000000", "壹拾亿");
        row("1000000000000", "壹万亿");
        row("1000100000000", "壹万零壹亿");
        row("3.1416", "叁点壹肆壹陆");
        row("1.005", "壹点零零伍");
        row("10.5", "壹拾点伍");
        row("987654321.06", "玖亿捌千柒佰陆拾伍万肆千叁佰贰拾壹点零陆");
        row("97531864297531", "玖拾柒万伍千叁佰壹拾捌亿陆千肆佰贰拾玖万柒千伍佰叁拾壹");
        row("10000000000000", "壹拾万亿");
        row("100000000000000", "壹佰万亿");
        row("1E15", "壹千万亿");
        row("1.5E15", "壹千伍佰万亿");
        row("9.87654321098765E15", "玖千捌佰柒拾陆万伍千肆佰叁拾贰亿壹千零玖拾捌万柒千陆佰伍拾");
        row("9999999999999999", "玖千玖佰玖拾玖万玖千玖佰玖拾玖亿玖千玖佰玖拾玖万玖千玖佰玖拾玖");
        row("5E-5", "点零零零零伍");
        row("1.5E-7", "点零零零零零零壹伍");
        row("1.25E2", "壹佰贰拾伍");
        row("1.2345E2", "壹佰贰拾叁点肆伍");
    }
    void writesNumbers()
    {
        QFETCH(QString, text);
        QFETCH(QString, numeral);
        QCOMPARE(NumberToUppercase(text, RegionalSettings{}), numeral);
    }

    // A lone non-zero digit at each place shows that place's word, and the 万 and 亿 above it.
    void writesEveryPlace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("numeral");

        const char *const numerals[] = {
            "壹",   "贰拾",   "叁佰",   "肆千",   "伍万",   "陆拾万",   "柒佰万",   "捌千万",
            "玖亿", "壹拾亿", "贰佰亿", "叁千亿", "肆万亿", "伍拾万亿", "陆佰万亿", "柒千万亿",
        };
        for (int place = 1; place <= 16; ++place) {
            const QString text = QString::number(place % 9 == 0 ? 9 : place % 9) +
                                 QString(place - 1, QLatin1Char('0'));
            QTest::newRow(qPrintable(text)) << text << QString::fromUtf8(numerals[place - 1]);
        }
    }
    void writesEveryPlace()
    {
        QFETCH(QString, text);
        QFETCH(QString, numeral);
        QCOMPARE(NumberToUppercase(text, RegionalSettings{}), numeral);
    }

    void readsTheRegionalSeparator_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("numeral");

        QTest::newRow("3,1416") << "3,1416" << QStringLiteral("叁点壹肆壹陆");
        QTest::newRow("0,05") << "0,05" << QStringLiteral("点零伍");
        QTest::newRow("1,5E-7") << "1,5E-7" << QStringLiteral("点零零零零零零壹伍");
    }
    void readsTheRegionalSeparator()
    {
        QFETCH(QString, text);
        QFETCH(QString, numeral);
        QCOMPARE(NumberToUppercase(text, WithSeparator(QLatin1Char(','))), numeral);
    }

    void refusesNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<CalcError::Kind>("kind");

        const QChar point = QLatin1Char('.');
        const auto conversion = CalcError::Kind::Conversion;
        const auto unwritable = CalcError::Kind::Unwritable;
        QTest::newRow("-5") << "-5" << point << conversion;
        QTest::newRow("empty") << "" << point << conversion;
        QTest::newRow("12a") << "12a" << point << conversion;
        QTest::newRow("1.5Ex") << "1.5Ex" << point << conversion;
        QTest::newRow(" 5") << " 5" << point << conversion;
        QTest::newRow("full-width 1") << QStringLiteral("１") << point << conversion;
        QTest::newRow("1.5 with comma") << "1.5" << QChar(QLatin1Char(',')) << conversion;
        QTest::newRow("1,5 with point") << "1,5" << point << conversion;
        QTest::newRow("1E16") << "1E16" << point << unwritable;
        QTest::newRow("10000000000000000") << "10000000000000000" << point << unwritable;
        QTest::newRow("1.2E300") << "1.2E300" << point << unwritable;
        QTest::newRow("1E-99999") << "1E-99999" << point << unwritable;
    }
    void refusesNumbers()
    {
        QFETCH(QString, text);
        QFETCH(QChar, separator);
        QFETCH(CalcError::Kind, kind);
        QCOMPARE(FailureOf([&] { NumberToUppercase(text, WithSeparator(separator)); }), kind);
        // An unwritable number is an ordinary outcome of the optional form; a text that is not
        // a number stays a failure.
        if (kind == CalcError::Kind::Unwritable)
            QCOMPARE(TryNumberToUppercase(text, WithSeparator(separator)), std::nullopt);
        else
            QCOMPARE(FailureOf([&] { TryNumberToUppercase(text, WithSeparator(separator)); }),
                     kind);
    }

    void writesAmounts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("amount");

        const auto row = [](const char *name, double value, const char *amount) {
            QTest::newRow(name) << value << QString::fromUtf8(amount);
        };
        row("0", 0, "元");
        row("0.05", 0.05, "元零伍分");
        row("0.5", 0.5, "元伍角");
        row("0.55", 0.55, "元伍角伍分");
        row("1", 1, "壹元");
        row("10.05", 10.05, "壹拾元零伍分");
        row("100.1", 100.1, "壹佰元壹角");
        row("1234.56", 1234.56, "壹千贰佰叁拾肆元伍角陆分");
        row("100000", 100000, "拾万元");
        row("1100000", 1100000, "壹佰拾万元");
        row("100000000.01", 100000000.01, "壹亿元零壹分");
        row("1000000000", 1000000000, "壹拾亿元");
        row("-3.5", -3.5, "叁元伍角");
        row("0.125 to the even 12", 0.125, "元壹角贰分");
        row("0.004", 0.004, "元");
        row("2.996 carries", 2.996, "叁元");
        row("9.999 carries", 9.999, "壹拾元");
        row("0.999 carries", 0.999, "壹元");
        row("1E15", 1e15, "壹千万亿元");
        row("9999999999999998", 9999999999999998.0,
            "玖千玖佰玖拾玖万玖千玖佰玖拾玖亿玖千玖佰玖拾玖万玖千玖佰玖拾捌元");
    }
    void writesAmounts()
    {
        QFETCH(double, value);
        QFETCH(QString, amount);
        QCOMPARE(AmountToUppercase(value, RegionalSettings{}), amount);
        QCOMPARE(AmountToUppercase(value, WithSeparator(QLatin1Char(','))), amount);
    }

    void refusesAmounts_data()
    {
        QTest::addColumn<double>("value");

        QTest::newRow("1E16") << 1e16;
        QTest::newRow("-1E16") << -1e16;
        QTest::newRow("1E300") << 1e300;
        QTest::newRow("inf") << std::numeric_limits<double>::infinity();
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
    }
    void refusesAmounts()
    {
        QFETCH(double, value);
        QCOMPARE(FailureOf([&] { AmountToUppercase(value, RegionalSettings{}); }),
                 CalcError::Kind::Unwritable);
        QCOMPARE(TryAmountToUppercase(value, RegionalSettings{}), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestNumerals)
#include "test_numerals.moc"
