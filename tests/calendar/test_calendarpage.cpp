// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The calendar page in a real web view: the page's own buttons, selectors and keys move
// the month grid, and every cell shows what calendarDays() returns for that day.

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

#include <memory>

#include "tests/support/websandbox.h"

namespace {

constexpr int ScriptTimeoutMs = 15000;

// What the page's controls do, written as the script that clicks them.
QString Click(const QString &id)
{
    return QStringLiteral("document.getElementById('%1').click();").arg(id);
}

QString JumpTo(const QString &isoDate)
{
    return QStringLiteral("document.getElementById('jumpDate').value = '%1';").arg(isoDate) +
           Click(QStringLiteral("jump"));
}

QString Choose(const QString &selectId, int value)
{
    return QStringLiteral(
               "{ const s = document.getElementById('%1'); s.value = '%2';"
               " s.dispatchEvent(new Event('change')); }")
        .arg(selectId)
        .arg(value);
}

// The shown month, the notice, and for each filled cell its date, column and label beside what
// calendarDays() returns for the month, as one JSON text.
const char GridScript[] = R"JS(JSON.stringify((() => {
  const year = Number(document.getElementById('yearSelect').value);
  const month = Number(document.getElementById('monthSelect').value);
  const notice = document.getElementById('notice');
  return {
    year, month,
    notice: notice.hidden ? '' : notice.textContent,
    cells: [...document.querySelectorAll('#grid td[data-date]')].map((cell) => ({
      date: cell.dataset.date, column: cell.cellIndex,
      label: cell.querySelector('.lunar').textContent,
      extra: cell.querySelector('.extra')?.textContent ?? '' })),
    days: calendarDays(year, month),
  };
})())
)JS";

}  // namespace

class CalendarPageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void gridFollowsControls_data();
    void gridFollowsControls();
    void arrowKeysStep();
    void fitsItsWindow_data();
    void fitsItsWindow();
    void reportsFirstPaint();

private:
    QJsonObject RunScript(const QString &script);
    QJsonObject Grid() { return RunScript(QString::fromUtf8(GridScript)); }
    void VerifyGrid(const QJsonObject &grid);

    std::unique_ptr<QWebEngineView> view_;
};

QJsonObject CalendarPageTest::RunScript(const QString &script)
{
    // The answer may come after a timeout, so it lands in storage that outlives this call.
    auto answer = std::make_shared<std::optional<QVariant>>();
    view_->page()->runJavaScript(script, [answer](const QVariant &value) { *answer = value; });
    if (!QTest::qWaitFor([&] { return answer->has_value(); }, ScriptTimeoutMs)) {
        qWarning("the page did not answer the script in time");
        return {};
    }
    return QJsonDocument::fromJson(answer->value().toString().toUtf8()).object();
}

void CalendarPageTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    QVERIFY2(QFile::exists(QStringLiteral(TALLIMO_CALENDAR_PAGE)), TALLIMO_CALENDAR_PAGE);
    view_ = std::make_unique<QWebEngineView>();
    view_->resize(900, 640);
    QSignalSpy loaded(view_.get(), &QWebEngineView::loadFinished);
    view_->load(QUrl::fromLocalFile(QStringLiteral(TALLIMO_CALENDAR_PAGE)));
    view_->show();
    if (!loaded.wait(60000) || !loaded.first().first().toBool())
        QSKIP("Qt WebEngine could not start or load the page here");
    const QJsonObject start = Grid();
    QVERIFY2(!start.isEmpty(), "the page runs no script");
    VerifyGrid(start);
}

void CalendarPageTest::VerifyGrid(const QJsonObject &grid)
{
    const QJsonArray cells = grid[QStringLiteral("cells")].toArray();
    const QJsonArray days = grid[QStringLiteral("days")].toArray();
    QCOMPARE(cells.size(), days.size());
    for (qsizetype i = 0; i < days.size(); ++i) {
        const QJsonObject cell = cells[i].toObject();
        const QJsonObject day = days[i].toObject();
        const QString date = day[QStringLiteral("date")].toString();
        QCOMPARE(cell[QStringLiteral("date")].toString(), date);
        QCOMPARE(cell[QStringLiteral("column")].toInt(),
                 QDate::fromString(date, Qt::ISODate).dayOfWeek() % 7);
        // A festival outranks a holiday, a holiday the solar term, the term the lunar text; on a
        // lunar month's first day the month's name stays, with the first of the others below.
        QString expected;
        for (const char *field : {"festival", "holiday", "term", "text"}) {
            expected = day[QLatin1String(field)].toString();
            if (!expected.isEmpty())
                break;
        }
        const QString text = day[QStringLiteral("text")].toString();
        if (text.endsWith(QStringLiteral("月"))) {
            QCOMPARE(cell[QStringLiteral("label")].toString(), text);
            QCOMPARE(cell[QStringLiteral("extra")].toString(),
                     expected == text ? QString() : expected);
        } else {
            QCOMPARE(cell[QStringLiteral("label")].toString(), expected);
            QCOMPARE(cell[QStringLiteral("extra")].toString(), QString());
        }
    }
}

void CalendarPageTest::gridFollowsControls_data()
{
    QTest::addColumn<QString>("actions");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("notice");

    const QString november2033 = JumpTo(QStringLiteral("2033-11-15"));
    QTest::newRow("jump to 2033-12-22")
        << JumpTo(QStringLiteral("2033-12-22")) << 2033 << 12 << "2033-12-22"
        << "闰冬月" << false;
    QTest::newRow("2033-11, next month")
        << november2033 + Click(QStringLiteral("nextMonth")) << 2033 << 12 << "2033-12-21"
        << "冬至" << false;
    QTest::newRow("2033-11, next year")
        << november2033 + Click(QStringLiteral("nextYear")) << 2034 << 11 << "2034-11-11"
        << "十月" << false;
    QTest::newRow("2033-11, previous year")
        << november2033 + Click(QStringLiteral("prevYear")) << 2032 << 11 << "2032-11-22"
        << "小雪" << false;
    QTest::newRow("2034-01, previous month")
        << JumpTo(QStringLiteral("2034-01-10")) + Click(QStringLiteral("prevMonth")) << 2033 << 12
        << "2033-12-25"
        << "圣诞节" << false;
    QTest::newRow("jump to 2034-02-19, the new year")
        << JumpTo(QStringLiteral("2034-02-19")) << 2034 << 2 << "2034-02-19"
        << "正月" << false;
    QTest::newRow("choose 1906 and May")
        << Choose(QStringLiteral("yearSelect"), 1906) + Choose(QStringLiteral("monthSelect"), 5)
        << 1906 << 5 << "1906-05-23"
        << "闰四月" << false;
    QTest::newRow("1900-01, previous month")
        << JumpTo(QStringLiteral("1900-01-31")) + Click(QStringLiteral("prevMonth")) << 1900 << 1
        << "1900-01-30"
        << "除夕" << true;
    QTest::newRow("2049-12, next month")
        << JumpTo(QStringLiteral("2049-12-01")) + Click(QStringLiteral("nextMonth")) << 2049 << 12
        << "2049-12-21"
        << "冬至" << true;
    QTest::newRow("jump to 2050-01-01")
        << JumpTo(QStringLiteral("2049-12-01")) + JumpTo(QStringLiteral("2050-01-01")) << 2049 << 12
        << "2049-12-01"
        << "初七" << true;
    QTest::newRow("today") << JumpTo(QStringLiteral("1950-06-01")) + Click(QStringLiteral("today"))
                           << QDate::currentDate().year() << QDate::currentDate().month() << ""
                           << "" << false;
}

void CalendarPageTest::gridFollowsControls()
{
    QFETCH(QString, actions);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QString, date);
    QFETCH(QString, label);
    QFETCH(bool, notice);

    RunScript(actions + QStringLiteral("JSON.stringify({})"));
    const QJsonObject grid = Grid();
    QCOMPARE(grid[QStringLiteral("year")].toInt(), year);
    QCOMPARE(grid[QStringLiteral("month")].toInt(), month);
    QCOMPARE(grid[QStringLiteral("notice")].toString().contains(QStringLiteral("超出范围")),
             notice);
    VerifyGrid(grid);
    if (date.isEmpty())
        return;
    const QJsonArray cells = grid[QStringLiteral("cells")].toArray();
    const auto cell = std::find_if(cells.begin(), cells.end(), [&](const QJsonValue &c) {
        return c[QStringLiteral("date")].toString() == date;
    });
    QVERIFY(cell != cells.end());
    QCOMPARE((*cell)[QStringLiteral("label")].toString(), label);
}

void CalendarPageTest::arrowKeysStep()
{
    RunScript(JumpTo(QStringLiteral("2033-12-01")) +
              QStringLiteral("document.activeElement.blur(); JSON.stringify({})"));
    QWidget *keys = view_->focusProxy() ? view_->focusProxy() : view_.get();
    const struct {
        Qt::Key key;
        int year;
        int month;
    } steps[] = {{Qt::Key_Right, 2034, 1},
                 {Qt::Key_Down, 2035, 1},
                 {Qt::Key_Left, 2034, 12},
                 {Qt::Key_Up, 2033, 12}};
    for (const auto &step : steps) {
        QTest::keyClick(keys, step.key);
        QTRY_COMPARE_WITH_TIMEOUT(Grid()[QStringLiteral("month")].toInt(), step.month, 5000);
        const QJsonObject grid = Grid();
        QCOMPARE(grid[QStringLiteral("year")].toInt(), step.year);
        VerifyGrid(grid);
    }
}

// The page in the web page window's view: at its own size and maximised on a 1280 x 800 screen,
// the bar stays one row, the details stand beside the grid and the world time is in view, with
// nothing to scroll.
void CalendarPageTest::fitsItsWindow_data()
{
    QTest::addColumn<QSize>("view");
    QTest::newRow("708 x 542 window") << QSize(708, 482);
    QTest::newRow("1280 x 800 screen, maximised") << QSize(1280, 700);
}

void CalendarPageTest::fitsItsWindow()
{
    QFETCH(QSize, view);
    const QSize before = view_->size();
    view_->resize(view);
    // July 2034 takes six rows.
    RunScript(JumpTo(QStringLiteral("2034-07-15")) + QStringLiteral("JSON.stringify({})"));
    const char layout[] = R"JS(JSON.stringify((() => {
  const box = (id) => document.getElementById(id).getBoundingClientRect();
  const root = document.documentElement;
  const clipped = [...document.querySelectorAll('#grid td span, #bar > *')]
    .filter((e) => e.scrollWidth > e.clientWidth + 1).length;
  return { width: innerWidth, height: innerHeight, scrollWidth: root.scrollWidth,
           scrollHeight: root.scrollHeight, barRow: box('jump').top - box('prevYear').top,
           gridRight: box('grid').right, detailsLeft: box('details').left,
           cityBottom: box('citySelect').bottom, clipped };
})()))JS";
    QJsonObject fit;
    QTRY_VERIFY_WITH_TIMEOUT(
        (fit = RunScript(QString::fromUtf8(layout)))[QStringLiteral("width")].toInt() ==
            view.width(),
        5000);
    view_->resize(before);
    QVERIFY2(fit[QStringLiteral("scrollWidth")].toInt() <= view.width(),
             qPrintable(QJsonDocument(fit).toJson(QJsonDocument::Compact)));
    QVERIFY2(fit[QStringLiteral("scrollHeight")].toInt() <= fit[QStringLiteral("height")].toInt(),
             qPrintable(QJsonDocument(fit).toJson(QJsonDocument::Compact)));
    QVERIFY(qAbs(fit[QStringLiteral("barRow")].toDouble()) < 4);
    QVERIFY(fit[QStringLiteral("detailsLeft")].toDouble() >=
            fit[QStringLiteral("gridRight")].toDouble());
    QVERIFY(fit[QStringLiteral("cityBottom")].toDouble() <= fit[QStringLiteral("height")].toInt());
    QCOMPARE(fit[QStringLiteral("clipped")].toInt(), 0);
}

// The page's own paint timings, logged for the record; how fast is fast enough is not a test's
// business on a shared machine.
void CalendarPageTest::reportsFirstPaint()
{
    const QJsonObject timing = RunScript(QStringLiteral(
        "JSON.stringify({paint: performance.getEntriesByType('paint').map("
        "(e) => [e.name, e.startTime]), domContentLoaded: "
        "performance.getEntriesByType('navigation')"
        "[0].domContentLoadedEventEnd, load: performance.getEntriesByType('navigation')[0]"
        ".loadEventEnd})"));
    QVERIFY(!timing.isEmpty());
    qInfo().noquote() << "calendar page timings, ms since navigation start:"
                      << QJsonDocument(timing).toJson(QJsonDocument::Compact);
}

int main(int argc, char **argv)
{
    tallimo::SwitchOffWebSandboxForTheSuperuser();
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-dev-shm-usage");
    QApplication app(argc, argv);
    CalendarPageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_calendarpage.moc"
