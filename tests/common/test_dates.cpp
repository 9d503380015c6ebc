// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QLocale>
#include <QTest>

#include "common/dates.h"
#include "engine/calcerror.h"
#include "engine/regional.h"
#include "tests/support/dateregional.h"

using namespace tallimo;

namespace {

template <typename Call>
QString FailureOf(Call call)
{
    try {
        call();
    } catch (const CalcError &error) {
        return QString::fromStdString(error.what());
    }
    return QStringLiteral("no error");
}

double Value(int year, int month, int day, QTime time = QTime(0, 0))
{
    return DateTimeToValue(QDate(year, month, day), time);
}

}  // namespace

class TestDates : public QObject {
    Q_OBJECT
private slots:
    void valueCountsDaysFromTheEndOf1899()
    {
        QCOMPARE(Value(1899, 12, 30), 0.0);
        QCOMPARE(Value(1900, 1, 1), 2.0);
        QCOMPARE(Value(2013, 6, 7, QTime(18, 0)), 41432.75);
        // Before that day the time of day still counts forward.
        QCOMPARE(Value(1899, 12, 29, QTime(18, 0)), -0.25);
        QCOMPARE(DateOfValue(-0.25), QDate(1899, 12, 29));
        QCOMPARE(TimeOfValue(-0.25), QTime(18, 0));
        // A value a hair below midnight is midnight of the next day.
        QCOMPARE(DateOfValue(41432.9999999999), QDate(2013, 6, 8));
        QCOMPARE(TimeOfValue(41432.9999999999), QTime(0, 0));
    }

    void readsDateTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<char>("separator");
        QTest::addColumn<QDate>("date");

        const auto row = [](const char *text, char separator, QDate date) {
            QTest::addRow("%s under %c", text, separator)
                << QString::fromLatin1(text) << separator << date;
        };
        row("2013-1-4", '-', QDate(2013, 1, 4));
        row("2013/01/04", '-', QDate(2013, 1, 4));
        row("2013-4-5", '/', QDate(2013, 4, 5));
        row("2013/4/5", '/', QDate(2013, 4, 5));
        row("2013-2-30", '-', QDate(2013, 2, 28));
        row("2012/2/30", '/', QDate(2012, 2, 29));
        row("2012/2/30", '-', QDate(2012, 2, 29));
        row("2013-4-31", '/', QDate(2013, 4, 30));
        row("2000-2-31", '-', QDate(2000, 2, 29));
        row("1900-2-29", '-', QDate(1900, 2, 28));
        row("9999-12-31", '/', QDate(9999, 12, 31));
    }
    void readsDateTexts()
    {
        QFETCH(QString, text);
        QFETCH(char, separator);
        QFETCH(QDate, date);
        QCOMPARE(DateTextToDate(text, WithDateSeparator(separator)),
                 DateTimeToValue(date, QTime(0, 0)));
    }

    void refusesDateTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<char>("separator");
        QTest::addColumn<QString>("message");

        QTest::newRow("2013-1-x") << "2013-1-x" << '-' << "'x' is not a valid integer value";
        QTest::newRow("2013-2-29 08:00")
            << "2013-2-29 08:00" << '-' << "'29 08:00' is not a valid integer value";
        QTest::newRow("2013-13-1") << "2013-13-1" << '-' << "'2013-13-01' is not a valid date";
        QTest::newRow("2013/13/1") << "2013/13/1" << '/' << "'2013/13/01' is not a valid date";
        QTest::newRow("2013-2-0") << "2013-2-0" << '/' << "'2013/2/0' is not a valid date";
        QTest::newRow("7.6.2013") << "7.6.2013" << '-' << "'7.6.--01' is not a valid date";
        QTest::newRow("empty") << "" << '-' << "'--01' is not a valid date";
    }
    void refusesDateTexts()
    {
        QFETCH(QString, text);
        QFETCH(char, separator);
        QFETCH(QString, message);
        QCOMPARE(FailureOf([&] { DateTextToDate(text, WithDateSeparator(separator)); }), message);
    }

    void measuresMonths()
    {
        const RegionalSettings slash = WithDateSeparator('/');
        QCOMPARE(MonthLength(QStringLiteral("2012"), QStringLiteral("2"), slash), 29);
        QCOMPARE(MonthLength(QStringLiteral("2100"), QStringLiteral("02"), slash), 28);
        QCOMPARE(MonthLength(QStringLiteral("2013"), QStringLiteral("12"), slash), 31);
        QCOMPARE(FailureOf([&] { MonthLength(QString(), QString(), slash); }),
                 QStringLiteral("'//01' is not a valid date"));
        QCOMPARE(DaysInMonthOf(Value(2012, 2, 10, QTime(23, 59))), 29);
        QCOMPARE(DaysInMonthOf(Value(1899, 11, 5)), 30);
    }

    void measuresSpans_data()
    {
        QTest::addColumn<qint64>("a");
        QTest::addColumn<qint64>("b");
        QTest::addColumn<QList<qint64>>("spans");  // days, hours, minutes, seconds, milliseconds

        const RegionalSettings regional = WithDateSeparator('-');
        const qint64 start = DateTimePairSeconds(QDate(2013, 6, 7), QTime(8, 0), regional);
        const auto later = [start](int hours, int minutes = 0, int seconds = 0) {
            return start + (hours * 60 + minutes) * 60 + seconds;
        };
        QTest::newRow("12 hours") << start << later(12)
                                  << QList<qint64>{0, 12, 720, 43200, 43200000};
        QTest::newRow("1 day 13 hours")
            << start << later(37) << QList<qint64>{2, 37, 2220, 133200, 133200000};
        QTest::newRow("1 day 13 hours swapped")
            << later(37) << start << QList<qint64>{2, 37, 2220, 133200, 133200000};
        QTest::newRow("equal") << start << start << QList<qint64>{0, 0, 0, 0, 0};
        QTest::newRow("36 hours") << start << later(36)
                                  << QList<qint64>{2, 36, 2160, 129600, 129600000};
        QTest::newRow("60 hours") << start << later(60)
                                  << QList<qint64>{2, 60, 3600, 216000, 216000000};
        QTest::newRow("29 minutes")
            << start << later(0, 29) << QList<qint64>{0, 0, 29, 1740, 1740000};
        QTest::newRow("30 minutes")
            << start << later(0, 30) << QList<qint64>{0, 0, 30, 1800, 1800000};
        QTest::newRow("90 minutes")
            << start << later(0, 90) << QList<qint64>{0, 2, 90, 5400, 5400000};
        QTest::newRow("30 seconds")
            << start << later(0, 0, 30) << QList<qint64>{0, 0, 0, 30, 30000};
        QTest::newRow("90 seconds")
            << start << later(0, 0, 90) << QList<qint64>{0, 0, 2, 90, 90000};
        QTest::newRow("12 hours and 1 second")
            << start << later(12, 0, 1) << QList<qint64>{1, 12, 720, 43201, 43201000};
        QTest::newRow("across 1899-12-30")
            << DateTimePairSeconds(QDate(1899, 12, 29), QTime(18, 0), regional)
            << DateTimePairSeconds(QDate(1899, 12, 30), QTime(6, 0), regional)
            << QList<qint64>{0, 12, 720, 43200, 43200000};
    }
    void measuresSpans()
    {
        QFETCH(qint64, a);
        QFETCH(qint64, b);
        QFETCH(QList<qint64>, spans);
        const SpanUnit units[] = {SpanUnit::Days, SpanUnit::Hours, SpanUnit::Minutes,
                                  SpanUnit::Seconds, SpanUnit::Milliseconds};
        QList<qint64> measured;
        for (const SpanUnit unit : units)
            measured << DateTimeSpan(unit, a, b);
        QCOMPARE(measured, spans);
    }

    void readsIntegers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("12") << "12" << 12;
        QTest::newRow("'  -7'") << "  -7" << -7;
        QTest::newRow("+5") << "+5" << 5;
        QTest::newRow("007") << "007" << 7;
        QTest::newRow("2147483647") << "2147483647" << 2147483647;
        QTest::newRow("-2147483648") << "-2147483648" << int(-2147483648LL);
    }
    void readsIntegers()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(TextToInteger(text), value);
    }

    void refusesIntegers_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *text : {"-", "1-", "12 ", "2147483648", "-2147483649",
                                 "99999999999999999999", "1e3", "0x10", "", "\t3", "１"})
            QTest::newRow(text) << QString::fromUtf8(text);
    }
    void refusesIntegers()
    {
        QFETCH(QString, text);
        QCOMPARE(FailureOf([&] { TextToInteger(text); }),
                 "'" + text + "' is not a valid integer value");
    }

    void writesDateTimes_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<char>("separator");
        QTest::addColumn<QString>("text");
        QTest::newRow("afternoon")
            << Value(2013, 6, 7, QTime(15, 4, 5)) << '/' << "2013/6/7 15:04:05";
        QTest::newRow("midnight") << Value(2013, 6, 7) << '-' << "2013-06-07";
        QTest::newRow("midnight and 400 ms")
            << Value(2013, 6, 7, QTime(0, 0, 0, 400)) << '-' << "2013-06-07";
        QTest::newRow("one second past")
            << Value(2013, 6, 7, QTime(0, 0, 1)) << '-' << "2013-06-07 00:00:01";
        QTest::newRow("year 1") << Value(1, 1, 1, QTime(12, 0)) << '/' << "0001/1/1 12:00:00";
    }
    void writesDateTimes()
    {
        QFETCH(double, value);
        QFETCH(char, separator);
        QFETCH(QString, text);
        QCOMPARE(DateTimeText(value, WithDateSeparator(separator)), text);
    }

    void refusesDateTimesOutsideTheCalendar()
    {
        for (const double value :
             {Value(1, 1, 1) - 1, Value(9999, 12, 31, QTime(23, 59)) + 1, 1e300}) {
            QVERIFY(FailureOf([&] { DateTimeText(value, RegionalSettings{}); }) !=
                    QStringLiteral("no error"));
        }
    }

    void readsPickerAndFieldAsShown()
    {
        // The field shows whole seconds; what it does not show does not count.
        const double value =
            DateTimePairValue(QDate(2013, 6, 7), QTime(8, 30, 15, 999), WithDateSeparator('/'));
        QCOMPARE(value, Value(2013, 6, 7, QTime(8, 30, 15)));
        const qint64 seconds =
            DateTimePairSeconds(QDate(2013, 6, 7), QTime(8, 30, 15, 999), WithDateSeparator('/'));
        QCOMPARE(seconds, qint64(41432) * 86400 + (8 * 60 + 30) * 60 + 15);
    }

    void takesYearFirstLocaleFormats_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QChar>("decimalSeparator");
        QTest::newRow("zh_CN") << "zh_CN"
                               << "yyyy/M/d" << QChar('/') << QChar('.');
        QTest::newRow("ja_JP") << "ja_JP"
                               << "yyyy/MM/dd" << QChar('/') << QChar('.');
        QTest::newRow("sv_SE") << "sv_SE"
                               << "yyyy-MM-dd" << QChar('-') << QChar(',');
        QTest::newRow("en_US") << "en_US"
                               << "yyyy-MM-dd" << QChar('-') << QChar('.');
        QTest::newRow("de_DE") << "de_DE"
                               << "yyyy-MM-dd" << QChar('-') << QChar(',');
        QTest::newRow("hu_HU") << "hu_HU"
                               << "yyyy-MM-dd" << QChar('-') << QChar(',');
        QTest::newRow("C") << "C"
                           << "yyyy-MM-dd" << QChar('-') << QChar('.');
    }
    void takesYearFirstLocaleFormats()
    {
        QFETCH(QString, locale);
        QFETCH(QString, format);
        QFETCH(QChar, separator);
        QFETCH(QChar, decimalSeparator);
        const RegionalSettings regional = RegionalSettingsOf(QLocale(locale));
        QCOMPARE(regional.shortDateFormat, format);
        QCOMPARE(regional.dateSeparator, separator);
        QCOMPARE(regional.decimalSeparator, decimalSeparator);
        QCOMPARE(regional.longTimeFormat, QStringLiteral("HH:mm:ss"));
    }

    void yearFirstShapes_data()
    {
        QTest::addColumn<QString>("separator");
        for (const char *format : {"yyyy-M-d", "yyyy-MM-dd", "yyyy-M-dd"})
            QTest::newRow(format) << "-";
        QTest::newRow("yyyy/MM/d") << "/";
        for (const char *format :
             {"yyyy-MM/dd", "yyyy.MM.dd", "yyyyy-M-d", "yy-M-d", "yyyy-MMM-d", "yyyy-M-ddd",
              "yyyy--d", "yyyy-M-", "yyyy-M-d ", "dd-MM-yyyy", "yyyy-d-M", ""})
            QTest::newRow(format) << "";
    }
    void yearFirstShapes()
    {
        QFETCH(QString, separator);
        const std::optional<QChar> found =
            YearFirstSeparator(QString::fromLatin1(QTest::currentDataTag()));
        QCOMPARE(found ? QString(*found) : QString(), separator);
    }
};

QTEST_APPLESS_MAIN(TestDates)
#include "test_dates.moc"
