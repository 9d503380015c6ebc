// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include "common/dateline.h"

using namespace tallimo;

class TestDateLine : public QObject {
    Q_OBJECT

private slots:
    void writesDateWeekdayAndTime_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("line");
        const auto row = [](const char *name, QDate date, QTime time, const char *line) {
            QTest::newRow(name) << QDateTime(date, time) << QString::fromUtf8(line);
        };
        row("Monday 2026-12-07 08:05:09", {2026, 12, 7}, {8, 5, 9}, "2026-12-07 星期一 08:05:09");
        row("Tuesday", {2026, 12, 8}, {12, 0}, "2026-12-08 星期二 12:00:00");
        row("Wednesday", {2026, 12, 9}, {13, 0}, "2026-12-09 星期三 13:00:00");
        row("Thursday", {2026, 12, 10}, {14, 0}, "2026-12-10 星期四 14:00:00");
        row("Friday", {2026, 12, 11}, {15, 0}, "2026-12-11 星期五 15:00:00");
        row("Saturday", {2026, 12, 12}, {16, 0}, "2026-12-12 星期六 16:00:00");
        row("Sunday", {2026, 12, 13}, {17, 0}, "2026-12-13 星期日 17:00:00");
        row("last second of a year", {2026, 12, 31}, {23, 59, 59}, "2026-12-31 星期四 23:59:59");
        row("midnight starts a new year", {2027, 1, 1}, {0, 0}, "2027-01-01 星期五 00:00:00");
        row("leap day", {2028, 2, 29}, {21, 30}, "2028-02-29 星期二 21:30:00");
    }
    void writesDateWeekdayAndTime()
    {
        QFETCH(QDateTime, moment);
        QFETCH(QString, line);
        QCOMPARE(DateLineText(moment), line);
    }

    // The line is the same whatever the user's language.
    void ignoresTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
        const QString line = DateLineText({{2026, 12, 10}, {9, 30, 5}});
        QLocale::setDefault(QLocale::c());
        QCOMPARE(line, QStringLiteral("2026-12-10 星期四 09:30:05"));
    }
};

QTEST_GUILESS_MAIN(TestDateLine)
#include "test_dateline.moc"
