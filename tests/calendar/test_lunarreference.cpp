// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The calendar page's own script, run without a browser, against the reference table made once
// from lunar-javascript, a lunar calendar computed independently of the page's tables: for every
// day from 1900-01-31 to 2049-12-31 the lunar year, month and day, the text under the day's
// number, the solar term and the lunar festival.

#include <QDate>
#include <QFile>
#include <QHash>
#include <QJSEngine>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

namespace {

const QDate FirstDay(1900, 1, 31);
const QDate LastDay(2049, 12, 31);

QString ReadText(const char *path)
{
    QFile file(QString::fromUtf8(path));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", path);
    return QString::fromUtf8(file.readAll());
}

// The script of the page, which sets up its calendar functions and, without a document, nothing
// else.
QString PageScript()
{
    static const QRegularExpression script(QStringLiteral("<script>(.*?)</script>"),
                                           QRegularExpression::DotMatchesEverythingOption);
    return script.match(ReadText(TALLIMO_CALENDAR_PAGE)).captured(1);
}

struct LunarMonth {
    QDate firstDay;
    int year = 0;
    QString name;
};

struct Reference {
    QHash<int, QString> dayNames;
    QList<LunarMonth> months;
    QHash<QDate, QString> terms;
    QHash<QDate, QString> festivals;
};

Reference ReadReference()
{
    Reference reference;
    for (const QString &line : ReadText(TALLIMO_LUNAR_REFERENCE).split(QLatin1Char('\n'))) {
        const QStringList words = line.split(QLatin1Char(' '));
        const QString &kind = words.first();
        if (kind == QLatin1String("day") && words.size() == 3)
            reference.dayNames.insert(words[1].toInt(), words[2]);
        else if (kind == QLatin1String("month") && words.size() == 4)
            reference.months.append(
                {QDate::fromString(words[1], Qt::ISODate), words[2].toInt(), words[3]});
        else if (kind == QLatin1String("term") && words.size() == 3)
            reference.terms.insert(QDate::fromString(words[1], Qt::ISODate), words[2]);
        else if (kind == QLatin1String("festival") && words.size() == 3)
            reference.festivals.insert(QDate::fromString(words[1], Qt::ISODate), words[2]);
    }
    return reference;
}

// Every day the page's grid shows for the months of its range, one line each: the date, the
// lunar year, month and day, the text, the solar term and the lunar festival, tab-separated.
const char PageDays[] = R"JS(
;(() => {
  const lines = [];
  for (let year = FIRST_YEAR; year <= LAST_YEAR; ++year) {
    for (let month = 1; month <= 12; ++month) {
      for (const day of calendarDays(year, month)) {
        const [y, m, d] = day.date.split('-').map(Number);
        const lunar = lunarDate(dayNumber(y, m, d));
        lines.push([day.date, lunar.year, monthName(lunar.month), lunar.day, day.text, day.term,
          day.festival].join('\t'));
      }
    }
  }
  return lines.join('\n');
})()
)JS";

}  // namespace

class TestLunarReference : public QObject {
    Q_OBJECT

    QJSEngine engine;

    QJSValue Run(const QString &script)
    {
        return engine.evaluate(PageScript() + QLatin1Char('\n') + script);
    }

private slots:
    void everyDayMatchesTheReference()
    {
        const Reference reference = ReadReference();
        QCOMPARE(reference.dayNames.size(), 30);
        QVERIFY(!reference.months.isEmpty());
        QCOMPARE(reference.months.first().firstDay, FirstDay);

        const QJSValue days = Run(QString::fromUtf8(PageDays));
        QVERIFY2(!days.isError(), qPrintable(days.toString()));

        QStringList problems;
        QDate expectedDate = FirstDay;
        qsizetype month = 0;
        for (const QString &line : days.toString().split(QLatin1Char('\n'))) {
            const QStringList fields = line.split(QLatin1Char('\t'));
            QCOMPARE(fields.size(), 7);
            const QDate date = QDate::fromString(fields[0], Qt::ISODate);
            if (date < FirstDay)
                continue;
            QCOMPARE(date, expectedDate);
            expectedDate = date.addDays(1);
            while (month + 1 < reference.months.size() &&
                   reference.months[month + 1].firstDay <= date)
                ++month;
            const LunarMonth &lunar = reference.months[month];
            const int day = static_cast<int>(lunar.firstDay.daysTo(date)) + 1;
            const QStringList expected = {fields[0],
                                          QString::number(lunar.year),
                                          lunar.name,
                                          QString::number(day),
                                          day == 1 ? lunar.name : reference.dayNames.value(day),
                                          reference.terms.value(date),
                                          reference.festivals.value(date)};
            if (fields != expected && problems.size() < 20)
                problems << fields.join(QLatin1Char(' ')) + QStringLiteral(" instead of ") +
                                expected.join(QLatin1Char(' '));
        }
        QCOMPARE(expectedDate, LastDay.addDays(1));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // The page refuses what its tables do not cover instead of guessing.
    void refusesMonthsBeyondItsTables_data()
    {
        QTest::addColumn<QString>("call");
        QTest::newRow("1899-12") << "calendarDays(1899, 12)";
        QTest::newRow("2050-01") << "calendarDays(2050, 1)";
        QTest::newRow("month 0") << "calendarDays(2000, 0)";
        QTest::newRow("month 13") << "calendarDays(2000, 13)";
        QTest::newRow("year 2000.5") << "calendarDays(2000.5, 1)";
    }
    void refusesMonthsBeyondItsTables()
    {
        QFETCH(QString, call);
        const QJSValue result = Run(
            QStringLiteral(";(() => { try { %1; return 'answered'; } catch (e) { return e.name; "
                           "} })()")
                .arg(call));
        QCOMPARE(result.toString(), QStringLiteral("RangeError"));
    }
};

QTEST_GUILESS_MAIN(TestLunarReference)
#include "test_lunarreference.moc"
