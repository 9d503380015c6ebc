// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>

#include <memory>

#include "common/countdownsettings.h"
#include "tests/settings/filebytes.h"
#include "tests/support/dateregional.h"
#include "tests/support/fakeworld.h"
#include "tools/tf_tools.h"
#include "windows/windowfont.h"

using namespace tallimo;

namespace {

// The tools window in a world of its own, its web page window replaced by a list of addresses.
struct Tools {
    FakeWorld world;
    QList<QUrl> webPages;
    RegionalSettings regional;
    // The settings folders when not the world's own.
    std::optional<SettingsFolders> folders;
    std::unique_ptr<Tf_tools> form;

    explicit Tools(char separator = '-', const QByteArray &settings = {})
        : regional(WithDateSeparator(separator))
    {
        if (!settings.isNull())
            WriteBytes(SettingsPath(), settings);
    }

    QString SettingsPath() const
    {
        return QDir(world.settingsFolder.path()).filePath(QStringLiteral("setinfo.ini"));
    }

    Tf_tools &Create()
    {
        ProgramSeams seams = world.Seams();
        if (folders)
            seams.settingsFolders = [held = *folders] { return held; };
        form = std::make_unique<Tf_tools>(
            seams, [this](const QUrl &address) { webPages << address; }, regional);
        return *form;
    }

    Tf_tools &Show()
    {
        if (!form)
            Create();
        form->ShowTools();
        if (!QTest::qWaitForWindowActive(form.get()))
            qFatal("the tools window did not become active");
        return *form;
    }

    template <typename Widget = QWidget>
    Widget *Child(const char *name) const
    {
        auto *child = form->findChild<Widget *>(QLatin1String(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }

    QString Text(const char *edit) const { return Child<QLineEdit>(edit)->text(); }
    QString Countdown() const { return Child<QLabel>("Label12")->text(); }
    QString Focused() const { return form->focusWidget() ? form->focusWidget()->objectName() : ""; }

    void Fill(const QString &days, const QString &hours, const QString &minutes) const
    {
        Child<QLineEdit>("Edit3")->setText(days);
        Child<QLineEdit>("Edit4")->setText(hours);
        Child<QLineEdit>("Edit5")->setText(minutes);
    }

    void Calculate() const { Child<QPushButton>("BitBtn1")->click(); }

    QStringList Outputs() const
    {
        QStringList texts;
        for (const char *edit : {"Edit2", "Edit6", "Edit7", "Edit8", "Edit9"})
            texts << Text(edit);
        return texts;
    }

    // The countdown target as the page shows it.
    QDateTime Target() const
    {
        return {Child<QDateEdit>("gaokao")->date(), Child<QTimeEdit>("Time4")->time()};
    }
};

QtMessageHandler defaultMessageHandler = nullptr;

// The offscreen platform cannot raise a window and says so on every showing.
void DropRaiseWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (!text.contains(QLatin1String("does not support raise()")))
        defaultMessageHandler(type, context, text);
}

}  // namespace

class TestTools : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        defaultMessageHandler = qInstallMessageHandler(DropRaiseWarnings);
    }

    // Every field of the window is announced by its own label within its group, none twice.
    void fieldsHaveNamesOfTheirOwn()
    {
        Tools tools;
        Tf_tools &form = tools.Create();
        QStringList names;
        for (QWidget *field : form.findChildren<QWidget *>()) {
            if (!qobject_cast<QLineEdit *>(field) && !qobject_cast<QDateTimeEdit *>(field))
                continue;
            // The pickers' own parts (the text field, the popup calendar) are the picker's.
            bool partOfPicker = false;
            for (QWidget *up = field->parentWidget(); up; up = up->parentWidget())
                partOfPicker = partOfPicker || qobject_cast<QDateTimeEdit *>(up);
            if (partOfPicker)
                continue;
            const QString name =
                QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(field->objectName()));
            names << name;
        }
        QCOMPARE(names.size(), 17);
        QCOMPARE(QSet<QString>(names.cbegin(), names.cend()).size(), names.size());
        QCOMPARE(
            QAccessible::queryAccessibleInterface(tools.Child("Edit3"))->text(QAccessible::Name),
            QStringLiteral("日期加减 增加天数"));
    }

    // A font the desktop theme gives fields and buttons does not reach the fixed layout.
    void keepsItsPixelFontUnderADesktopFont()
    {
        const QFont before = QApplication::font();
        QFont windowFont = before;
        windowFont.setPixelSize(12);
        QApplication::setFont(windowFont);
        const QFont desktopFont(windowFont.family(), 20);
        QApplication::setFont(desktopFont, "QLineEdit");
        QApplication::setFont(desktopFont, "QAbstractSpinBox");
        QApplication::setFont(desktopFont, "QPushButton");
        Tools tools;
        tools.Create();
        for (const char *field : {"Edit3", "Date1", "Time1", "Edit9", "BitBtn1"})
            QVERIFY2(tools.Child(field)->font().pixelSize() == 12, field);
        QApplication::setFont(before);
    }

    void keepsItsPixelFontUnderADesktopTheme_data()
    {
        QTest::addColumn<bool>("styleSheet");
        QTest::newRow("theme font for the application and for classes") << false;
        QTest::newRow("theme font in a style sheet too") << true;
    }
    // A desktop theme sets its own font as the application's after the program has set its
    // pixel font, as well as fonts for classes of controls and in a style sheet: every label,
    // field and button keeps the program's font, also when the theme changes while it is open.
    void keepsItsPixelFontUnderADesktopTheme()
    {
        QFETCH(bool, styleSheet);
        const QFont before = QApplication::font();
        QFont programFont(before.family());
        programFont.setPixelSize(12);
        SetProgramFont(programFont);
        const QFont desktopFont(QStringLiteral("DejaVu Sans"), 11);
        QApplication::setFont(desktopFont);
        for (const char *kind :
             {"QLabel", "QLineEdit", "QAbstractSpinBox", "QPushButton", "QGroupBox", "QTabBar"})
            QApplication::setFont(desktopFont, kind);
        if (styleSheet)
            qApp->setStyleSheet(QStringLiteral("QWidget { font: 15pt \"DejaVu Sans\"; }"));
        Tools tools;
        tools.Show();
        auto verify = [&] {
            for (QWidget *control : tools.form->findChildren<QWidget *>()) {
                const bool showsText =
                    control->inherits("QLabel") || control->inherits("QAbstractButton") ||
                    control->inherits("QLineEdit") || control->inherits("QAbstractSpinBox") ||
                    control->inherits("QGroupBox") || control->inherits("QTabBar");
                if (!control->isVisible() || !showsText)
                    continue;
                QVERIFY2(
                    control->fontInfo().pixelSize() == 12 &&
                        control->fontInfo().family() == QFontInfo(programFont).family(),
                    qPrintable(control->objectName() + ' ' + control->metaObject()->className() +
                               ' ' + control->fontInfo().family() + ' ' +
                               QString::number(control->fontInfo().pixelSize())));
            }
        };
        verify();
        QApplication::setFont(QFont(QStringLiteral("DejaVu Serif"), 13));
        verify();
        qApp->setStyleSheet(QString());
        QApplication::setFont(before);
    }

    // The pages, and the pane that shows one of them, are announced by the pages' captions.
    void pagesAreNamed()
    {
        Tools tools;
        Tf_tools &form = tools.Show();
        auto *pages = tools.Child<QTabWidget>("PageControl1");
        auto *pane = pages->findChild<QStackedWidget *>();
        const QStringList captions = {"日期时间计算", "倒计时", "网络小工具"};
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            QCOMPARE(
                QAccessible::queryAccessibleInterface(pages->widget(page))->text(QAccessible::Name),
                captions[page]);
            QCOMPARE(QAccessible::queryAccessibleInterface(pane)->text(QAccessible::Name),
                     captions[page]);
        }
        QVERIFY(form.isVisible());
    }

    // While a modal box is open, an assistive tool's presses on the window's buttons go
    // unanswered, as clicks do: no second box stacks over the first.
    void buttonsBehindAModalBoxIgnorePresses()
    {
        Tools tools;
        tools.Show();
        tools.Fill(QStringLiteral("x"), QStringLiteral("0"), QStringLiteral("0"));
        QMessageBox box(QMessageBox::Information, QStringLiteral("Tallimo"), QStringLiteral("1"));
        box.setWindowModality(Qt::ApplicationModal);
        box.show();
        QTRY_COMPARE(QApplication::activeModalWidget(), &box);
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(tools.Child("BitBtn1"));
        for (int press = 0; press < 8; ++press)
            node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTest::qWait(300);
        QVERIFY(tools.world.messages.isEmpty());
        box.close();
        node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(tools.world.messages.size(), 1);
    }

    void windowAtCreation()
    {
        Tools tools;
        Tf_tools &form = tools.Create();
        QCOMPARE(form.objectName(), QStringLiteral("f_tools"));
        QCOMPARE(form.windowTitle(), QStringLiteral("小工具"));
        QCOMPARE(form.size(), QSize(446, 269));
        QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(form.isHidden());

        auto *pages = tools.Child<QTabWidget>("PageControl1");
        QCOMPARE(pages->count(), 3);
        QCOMPARE(pages->tabText(0), QStringLiteral("日期时间计算"));
        QCOMPARE(pages->tabText(1), QStringLiteral("倒计时"));
        QCOMPARE(pages->tabText(2), QStringLiteral("网络小工具"));
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(QStringList({tools.Text("Edit3"), tools.Text("Edit4"), tools.Text("Edit5")}),
                 QStringList({"1", "0", "-1"}));
        QCOMPARE(tools.Child<QDateEdit>("Date1")->displayFormat(), QStringLiteral("yyyy-MM-dd"));
        QCOMPARE(tools.Child<QTimeEdit>("Time1")->displayFormat(), QStringLiteral("HH:mm:ss"));
        QVERIFY(tools.Child<QLineEdit>("Edit2")->isReadOnly());
        QVERIFY(tools.Child("CcTab1")->isHidden());
        QVERIFY(tools.Child("Button8")->isHidden());
        QVERIFY(tools.Child("Button9")->isHidden());
    }

    // Under the C locale of the tests, the calendar popups still name months in Chinese. Each
    // opens from the arrow at the right end of its field.
    void calendarPopupsSpeakChinese()
    {
        Tools tools;
        tools.Show();
        for (const char *name : {"Date1", "Date2", "Date3", "gaokao"}) {
            auto *picker = tools.Child<QDateEdit>(name);
            auto *pages = tools.Child<QTabWidget>("PageControl1");
            for (int page = 0; page < pages->count(); ++page) {
                if (pages->widget(page)->isAncestorOf(picker))
                    pages->setCurrentIndex(page);
            }
            QTest::mouseClick(picker, Qt::LeftButton, {},
                              QPoint(picker->width() - 4, picker->height() / 2));
            QCalendarWidget *calendar = picker->calendarWidget();
            QTRY_VERIFY(calendar->isVisible());
            QCOMPARE(calendar->locale().language(), QLocale::Chinese);
            calendar->window()->close();
        }
    }

    void showSequenceSetsNowAndTheCountdownTarget()
    {
        Tools tools;
        tools.Show();
        const QDateTime now = tools.world.clock;
        QCOMPARE(tools.Child<QDateEdit>("Date1")->date(), now.date());
        QCOMPARE(tools.Child<QTimeEdit>("Time1")->time(), now.time());
        QCOMPARE(tools.Child<QDateEdit>("Date2")->date(), now.date());
        QCOMPARE(tools.Child<QTimeEdit>("Time2")->time(), now.time());
        QCOMPARE(tools.Child<QDateEdit>("Date3")->date(), QDate(2013, 6, 7));
        QCOMPARE(tools.Child<QTimeEdit>("Time3")->time(), QTime(0, 0));
        QCOMPARE(tools.Text("Edit2"), QStringLiteral("2026-12-11 09:29:00"));
        // From 7 June 2013 00:00 to 10 December 2026 09:30: 4934 days and 9.5 hours.
        QCOMPARE(tools.Outputs().mid(1), QStringList({"4934", "118426", "7105530", "426331800"}));
        QCOMPARE(tools.Countdown(), QStringLiteral("距高考:4934 天 10 小时 "));
        QVERIFY(tools.world.messages.isEmpty());
    }

    void calculates_data()
    {
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("sum");

        // The clock stands at 2026-12-10 09:30:00.
        QTest::newRow("1 0 -1") << "1"
                                << "0"
                                << "-1"
                                << "2026-12-11 09:29:00";
        QTest::newRow("blank fields") << ""
                                      << "  "
                                      << ""
                                      << "2026-12-10 09:30:00";
        QTest::newRow("90 minutes") << "0"
                                    << "0"
                                    << "90"
                                    << "2026-12-10 11:00:00";
        QTest::newRow("to midnight") << "0"
                                     << "14"
                                     << "30"
                                     << "2026-12-11";
        QTest::newRow("back over the year") << "-365"
                                            << "-10"
                                            << "-30"
                                            << "2025-12-09 23:00:00";
        QTest::newRow("leading blanks and sign") << " +2"
                                                 << " -1"
                                                 << "0"
                                                 << "2026-12-12 08:30:00";
        QTest::newRow("into February of a leap year") << "446"
                                                      << "0"
                                                      << "0"
                                                      << "2028-02-29 09:30:00";
    }
    void calculates()
    {
        QFETCH(QString, days);
        QFETCH(QString, hours);
        QFETCH(QString, minutes);
        QFETCH(QString, sum);
        Tools tools;
        tools.Show();
        tools.Fill(days, hours, minutes);
        tools.Calculate();
        QCOMPARE(tools.Text("Edit2"), sum);
        QVERIFY(tools.world.messages.isEmpty());
    }

    void measuresDistancesWithExactHalves_data()
    {
        QTest::addColumn<QDateTime>("first");
        QTest::addColumn<QDateTime>("second");
        QTest::addColumn<QStringList>("distance");

        const auto at = [](int year, int month, int day, int h, int m, int s) {
            return QDateTime(QDate(year, month, day), QTime(h, m, s));
        };
        QTest::newRow("00:00:00 to 00:30:00") << at(2024, 1, 1, 0, 0, 0) << at(2024, 1, 1, 0, 30, 0)
                                              << QStringList{"0", "0", "30", "1800"};
        QTest::newRow("10:00:00 to 12:30:00")
            << at(2024, 1, 1, 10, 0, 0) << at(2024, 1, 1, 12, 30, 0)
            << QStringList{"0", "2", "150", "9000"};
        QTest::newRow("00:00:00 to 00:00:30") << at(2024, 1, 1, 0, 0, 0) << at(2024, 1, 1, 0, 0, 30)
                                              << QStringList{"0", "0", "0", "30"};
        QTest::newRow("17:43:29 to 18:13:29")
            << at(2024, 1, 1, 17, 43, 29) << at(2024, 1, 1, 18, 13, 29)
            << QStringList{"0", "0", "30", "1800"};
        QTest::newRow("23:59:59 to 02:29:59 swapped")
            << at(2024, 3, 2, 2, 29, 59) << at(2024, 3, 1, 23, 59, 59)
            << QStringList{"0", "2", "150", "9000"};
        QTest::newRow("03:07:11 to 03:08:41")
            << at(2024, 1, 1, 3, 7, 11) << at(2024, 1, 1, 3, 8, 41)
            << QStringList{"0", "0", "2", "90"};
        QTest::newRow("1899-12-30 00:00:02 to 12:00:02")
            << at(1899, 12, 30, 0, 0, 2) << at(1899, 12, 30, 12, 0, 2)
            << QStringList{"0", "12", "720", "43200"};
        QTest::newRow("1899-12-30 00:00:01 to 1899-12-31 12:00:01")
            << at(1899, 12, 30, 0, 0, 1) << at(1899, 12, 31, 12, 0, 1)
            << QStringList{"2", "36", "2160", "129600"};
        QTest::newRow("0100-01-01 to 9999-12-31 23:59:59")
            << at(100, 1, 1, 0, 0, 0) << at(9999, 12, 31, 23, 59, 59)
            << QStringList{"3615900", "86781600", "5206896000", "312413759999"};
    }
    void measuresDistancesWithExactHalves()
    {
        QFETCH(QDateTime, first);
        QFETCH(QDateTime, second);
        QFETCH(QStringList, distance);
        Tools tools;
        tools.Show();
        tools.Child<QDateEdit>("Date2")->setDate(first.date());
        tools.Child<QTimeEdit>("Time2")->setTime(first.time());
        tools.Child<QDateEdit>("Date3")->setDate(second.date());
        tools.Child<QTimeEdit>("Time3")->setTime(second.time());
        tools.Calculate();
        QCOMPARE(tools.Outputs().mid(1), distance);
    }

    void countsDownHalfHoursFromAnySecond_data()
    {
        QTest::addColumn<QTime>("now");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("countdown");
        QTest::newRow("00:00:00, 30 minutes") << QTime(0, 0, 0) << 30 << "距高考:0 天 0 小时 ";
        QTest::newRow("10:17:43, 30 minutes") << QTime(10, 17, 43) << 30 << "距高考:0 天 0 小时 ";
        QTest::newRow("21:05:09, 90 minutes") << QTime(21, 5, 9) << 90 << "距高考:0 天 2 小时 ";
    }
    void countsDownHalfHoursFromAnySecond()
    {
        QFETCH(QTime, now);
        QFETCH(int, minutes);
        QFETCH(QString, countdown);
        Tools tools;
        tools.world.clock = QDateTime(QDate(2024, 1, 1), now);
        tools.Show();
        const QDateTime target = tools.world.clock.addSecs(minutes * 60);
        tools.Child<QDateEdit>("gaokao")->setDate(target.date());
        tools.Child<QTimeEdit>("Time4")->setTime(target.time());
        tools.Child<QPushButton>("Button7")->click();
        QCOMPARE(tools.Countdown(), countdown);
    }

    void refusesFieldsThatAreNoIntegers_data()
    {
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("message");

        QTest::newRow("-") << "-"
                           << "0"
                           << "0"
                           << "'-' is not a valid integer value";
        QTest::newRow("5-") << "1"
                            << "5-"
                            << "0"
                            << "'5-' is not a valid integer value";
        QTest::newRow("pasted text") << "1"
                                     << "0"
                                     << "两分钟"
                                     << "'两分钟' is not a valid integer value";
        QTest::newRow("2147483648") << "2147483648"
                                    << "0"
                                    << "0"
                                    << "'2147483648' is not a valid integer value";
        QTest::newRow("beyond the year 9999") << "2147483647"
                                              << "0"
                                              << "0"
                                              << "日期超出公元 1 年至 9999 年的范围";
    }
    void refusesFieldsThatAreNoIntegers()
    {
        QFETCH(QString, days);
        QFETCH(QString, hours);
        QFETCH(QString, minutes);
        QFETCH(QString, message);
        Tools tools;
        tools.Show();
        const QStringList before = tools.Outputs();
        tools.Child<QDateEdit>("Date3")->setDate(QDate(2027, 1, 1));
        tools.Fill(days, hours, minutes);
        tools.Calculate();
        QCOMPARE(tools.world.messages, QStringList(message));
        QCOMPARE(tools.Outputs(), before);
    }

    void keyFilterOfTheNumberFields()
    {
        Tools tools;
        tools.Show();
        auto *days = tools.Child<QLineEdit>("Edit3");
        days->setFocus();
        days->clear();
        QTest::keyClicks(days, "a1-b2 x.3");
        QCOMPARE(days->text(), QStringLiteral("1-23"));
        // Backspace types a character too, and it is filtered.
        QTest::keyClick(days, Qt::Key_Backspace);
        QCOMPARE(days->text(), QStringLiteral("1-23"));
        // Keys that type nothing still edit: Delete, and overtyping a selection.
        QTest::keyClick(days, Qt::Key_Home);
        QTest::keyClick(days, Qt::Key_Delete);
        QCOMPARE(days->text(), QStringLiteral("-23"));
        days->selectAll();
        QTest::keyClick(days, Qt::Key_7);
        QCOMPARE(days->text(), QStringLiteral("7"));
        // Ctrl+V types a control character and pastes nothing; the context menu's paste is not
        // filtered, and Calculate reports what it brought.
        QApplication::clipboard()->setText(QStringLiteral("三"));
        QTest::keyClick(days, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(days->text(), QStringLiteral("7"));
        days->paste();
        QCOMPARE(days->text(), QStringLiteral("7三"));
        tools.Calculate();
        QCOMPARE(tools.world.messages, QStringList("'7三' is not a valid integer value"));
    }

    void enterMovesOnLikeTab_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QStringList>("path");

        QTest::newRow("date arithmetic")
            << "Time1" << Qt::KeyboardModifiers()
            << QStringList{"Date1", "Edit2", "Edit3", "Edit4", "Edit5", "BitBtn1"};
        QTest::newRow("date difference")
            << "Date2" << Qt::KeyboardModifiers()
            << QStringList{"Date3", "Time2", "Time3", "Edit6", "Edit7", "Edit8", "Edit9"};
        QTest::newRow("Shift+Enter goes back")
            << "Edit5" << Qt::KeyboardModifiers(Qt::ShiftModifier)
            << QStringList{"Edit4", "Edit3", "Edit2", "Date1", "Time1"};
    }
    void enterMovesOnLikeTab()
    {
        QFETCH(QString, start);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QStringList, path);
        Tools tools;
        tools.Show();
        tools.Child(qPrintable(start))->setFocus();
        QStringList walked;
        for (int i = 0; i < path.size(); ++i) {
            QTest::keyClick(tools.form->focusWidget(), Qt::Key_Return, modifiers);
            walked << tools.Focused();
        }
        QCOMPARE(walked, path);
    }

    void enterOnTheButtonCalculates()
    {
        Tools tools;
        tools.Show();
        tools.Fill("2", "0", "0");
        tools.Child("Edit5")->setFocus();
        QTest::keyClick(tools.form->focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(tools.Focused(), QStringLiteral("BitBtn1"));
        QCOMPARE(tools.Text("Edit2"), QStringLiteral("2026-12-11 09:29:00"));
        QTest::keyClick(tools.form->focusWidget(), Qt::Key_Return);
        QCOMPARE(tools.Focused(), QStringLiteral("BitBtn1"));
        QCOMPARE(tools.Text("Edit2"), QStringLiteral("2026-12-12 09:30:00"));
    }

    void reopeningKeepsThePageAndTheNumberFields()
    {
        Tools tools;
        tools.Show();
        tools.Fill("3", "4", "5");
        tools.Child<QTabWidget>("PageControl1")->setCurrentIndex(1);
        tools.form->close();
        QVERIFY(tools.form->isHidden());
        tools.world.clock = tools.world.clock.addSecs(3600);
        tools.Show();
        QCOMPARE(tools.Child<QTabWidget>("PageControl1")->currentIndex(), 1);
        QCOMPARE(QStringList({tools.Text("Edit3"), tools.Text("Edit4"), tools.Text("Edit5")}),
                 QStringList({"3", "4", "5"}));
        QCOMPARE(tools.Child<QTimeEdit>("Time1")->time(), QTime(10, 30));
        QCOMPARE(tools.Text("Edit2"), QStringLiteral("2026-12-13 14:35:00"));
        // Shown again while showing: brought to the front, nothing reset.
        tools.Child<QTimeEdit>("Time1")->setTime(QTime(1, 0));
        tools.form->ShowTools();
        QCOMPARE(tools.Child<QTimeEdit>("Time1")->time(), QTime(1, 0));
    }

    void errorInTheShowSequenceStillShowsTheWindow()
    {
        Tools tools;
        tools.Show();
        tools.form->hide();
        tools.Fill("-", "0", "0");
        const QString countdown = tools.Countdown();
        tools.world.clock = tools.world.clock.addDays(1);
        tools.Show();
        QVERIFY(tools.form->isVisible());
        QCOMPARE(tools.world.messages, QStringList("'-' is not a valid integer value"));
        QCOMPARE(tools.Countdown(), countdown);
    }

    void readsTheCountdown_data()
    {
        QTest::addColumn<char>("separator");
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QDateTime>("target");
        QTest::addColumn<QString>("name");

        const QDateTime initial(QDate(2013, 6, 7), QTime(0, 0));
        const QDate today(2026, 12, 10);
        QTest::newRow("no file") << '-' << QByteArray() << initial << "高考";
        QTest::newRow("no key date")
            << '-' << QByteArray("[gaokao]\r\ntime=09:00:00\r\n") << initial << "高考";
        QTest::newRow("date alone") << '/' << QByteArray("[gaokao]\r\ndate=2027/6/7\r\n")
                                    << QDateTime(QDate(2027, 6, 7), QTime(8, 0)) << "高考";
        QTest::newRow("all three")
            << '/'
            << QByteArray("[gaokao]\r\ndate=2027/6/7\r\ntime=09:15:00\r\nname=\xC6\xDA\xC4\xA9\r\n")
            << QDateTime(QDate(2027, 6, 7), QTime(9, 15)) << "期末";
        QTest::newRow("dashes under a slash format")
            << '/' << QByteArray("[gaokao]\r\ndate=2013-6-7\r\n")
            << QDateTime(QDate(2013, 6, 7), QTime(8, 0)) << "高考";
        QTest::newRow("slashes under a dash format")
            << '-' << QByteArray("[gaokao]\r\ndate=2013/06/07\r\ntime=7:5\r\n")
            << QDateTime(QDate(2013, 6, 7), QTime(7, 5)) << "高考";
        QTest::newRow("no date at all") << '-' << QByteArray("[gaokao]\r\ndate=June 7\r\n")
                                        << QDateTime(today, QTime(8, 0)) << "高考";
        QTest::newRow("30 February") << '-' << QByteArray("[gaokao]\r\ndate=2013-2-30\r\n")
                                     << QDateTime(today, QTime(8, 0)) << "高考";
        QTest::newRow("30 February with slashes")
            << '-' << QByteArray("[gaokao]\r\ndate=2013/2/30\r\n") << QDateTime(today, QTime(8, 0))
            << "高考";
        QTest::newRow("29 February 1900") << '/' << QByteArray("[gaokao]\r\ndate=1900/2/29\r\n")
                                          << QDateTime(today, QTime(8, 0)) << "高考";
        QTest::newRow("empty date and unreadable time")
            << '-' << QByteArray("[gaokao]\r\ndate=\r\ntime=noon\r\n")
            << QDateTime(today, QTime(8, 0)) << "高考";
    }
    void readsTheCountdown()
    {
        QFETCH(char, separator);
        QFETCH(QByteArray, settings);
        QFETCH(QDateTime, target);
        QFETCH(QString, name);
        Tools tools(separator, settings);
        tools.Create();
        QCOMPARE(tools.Target(), target);
        QCOMPARE(tools.Text("Edit1"), name);
    }

    void countsDownInDaysAndHours_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("countdown");

        QTest::newRow("58 hours ahead") << 58 * 60 << "高考"
                                        << "距高考:2 天 10 小时 ";
        QTest::newRow("58 hours behind") << -58 * 60 << "高考"
                                         << "距高考:2 天 10 小时 ";
        QTest::newRow("29 minutes") << 29 << "高考"
                                    << "距高考:0 天 0 小时 ";
        QTest::newRow("30 minutes, the half to even") << 30 << "高考"
                                                      << "距高考:0 天 0 小时 ";
        QTest::newRow("90 minutes, the half to even") << 90 << "高考"
                                                      << "距高考:0 天 2 小时 ";
        QTest::newRow("name with blanks") << 24 * 60 << "  期末 考试 "
                                          << "距期末 考试:1 天 0 小时 ";
        QTest::newRow("empty name") << 0 << ""
                                    << "距:0 天 0 小时 ";
        QTest::newRow("%1 in the name") << 60 << "%1%2"
                                        << "距%1%2:0 天 1 小时 ";
    }
    void countsDownInDaysAndHours()
    {
        QFETCH(int, minutes);
        QFETCH(QString, name);
        QFETCH(QString, countdown);
        Tools tools;
        tools.Show();
        const QDateTime target = tools.world.clock.addSecs(minutes * 60);
        tools.Child<QDateEdit>("gaokao")->setDate(target.date());
        tools.Child<QTimeEdit>("Time4")->setTime(target.time());
        tools.Child<QLineEdit>("Edit1")->setText(name);
        tools.Child<QPushButton>("Button7")->click();
        QCOMPARE(tools.Countdown(), countdown);
        QVERIFY(tools.world.messages.isEmpty());

        // Saved, and read back at the next start.
        Tools restarted('-', ReadBytes(tools.SettingsPath()));
        restarted.Create();
        QCOMPARE(restarted.Target(), target);
    }

    void saveKeepsTheRestOfTheFile()
    {
        const QByteArray calcform = "[calcform]\r\niTop=50\r\nwidth=640\r\n";
        const QByteArray other = "[other]\r\nkey=value\r\n";
        Tools tools('/', calcform + "\r\n[gaokao]\r\ndate=2013/6/7\r\nextra=1\r\n\r\n" + other);
        tools.Show();
        tools.Child<QDateEdit>("gaokao")->setDate(QDate(2027, 6, 7));
        tools.Child<QTimeEdit>("Time4")->setTime(QTime(9, 0));
        tools.Child<QLineEdit>("Edit1")->setText(QStringLiteral("  期末  "));
        tools.Child<QPushButton>("Button7")->click();
        const QByteArray saved = ReadBytes(tools.SettingsPath());
        QVERIFY2(saved.startsWith(calcform), saved.constData());
        QVERIFY(saved.contains(other));
        QVERIFY(saved.contains("extra=1"));
        QVERIFY(saved.contains("date=2027/6/7"));
        QVERIFY(saved.contains("time=09:00:00"));
        // Code page 936, blanks kept.
        QVERIFY(saved.contains("name=  \xC6\xDA\xC4\xA9  "));
    }

    void saveWhileTheDaysFieldIsInvalid()
    {
        Tools tools;
        tools.Show();
        const QString countdown = tools.Countdown();
        tools.Child<QDateEdit>("gaokao")->setDate(QDate(2027, 6, 7));
        tools.Fill("-", "0", "0");
        tools.Child<QPushButton>("Button7")->click();
        QCOMPARE(tools.world.messages, QStringList("'-' is not a valid integer value"));
        QCOMPARE(tools.Countdown(), countdown);
        QVERIFY(ReadBytes(tools.SettingsPath()).contains("date=2027-06-07"));
    }

    void refusedSaveChangesNothing_data()
    {
        QTest::addColumn<bool>("readOnlyFile");
        QTest::newRow("read-only file") << true;
        QTest::newRow("folder under a file") << false;
    }
    void refusedSaveChangesNothing()
    {
        QFETCH(bool, readOnlyFile);
        const QByteArray settings = "[gaokao]\r\ndate=2013-06-07\r\n\r\n[calcform]\r\niTop=5\r\n";
        Tools tools('-', readOnlyFile ? settings : QByteArray());
        QString refused = tools.SettingsPath();
        if (readOnlyFile) {
            QVERIFY(QFile::setPermissions(refused, QFile::ReadOwner | QFile::ReadGroup));
        } else {
            // A file stands where the folders should be.
            const QString blocker = tools.world.settingsFolder.filePath(QStringLiteral("blocker"));
            WriteBytes(blocker, "x");
            tools.folders = SettingsFolders{blocker, blocker + QStringLiteral("/config")};
            refused = blocker + QStringLiteral("/config/setinfo.ini");
        }
        tools.Show();
        const QString countdown = tools.Countdown();
        tools.Child<QDateEdit>("gaokao")->setDate(QDate(2027, 6, 7));
        tools.Child<QPushButton>("Button7")->click();
        QCOMPARE(tools.world.messages,
                 QStringList("Unable to write to " + QDir::toNativeSeparators(refused)));
        QCOMPARE(tools.Countdown(), countdown);
        if (readOnlyFile)
            QCOMPARE(ReadBytes(refused), settings);
    }

    void shortcutsOpenTheWebPageWindow()
    {
        Tools tools;
        tools.Show();
        tools.Child<QTabWidget>("PageControl1")->setCurrentIndex(2);
        for (const char *button :
             {"Button2", "Button3", "Button4", "Button5", "Button6", "Button8", "Button9"})
            tools.Child<QPushButton>(button)->click();
        QCOMPARE(tools.webPages.size(), 7);
        QCOMPARE(tools.webPages[0], tools.webPages[1]);
        QCOMPARE(tools.webPages[0], QUrl(QStringLiteral("http://www.ip138.com")));
        QCOMPARE(QSet<QUrl>(tools.webPages.begin(), tools.webPages.end()).size(), 6);
        for (const QUrl &address : tools.webPages)
            QVERIFY2(address.isValid() && !address.host().isEmpty(),
                     qPrintable(address.toString()));
        QVERIFY(tools.world.openedAddresses.isEmpty());
        // Every control of the page is a button: Enter presses the focused one.
        tools.Child("Button4")->setFocus();
        QTest::keyClick(tools.form->focusWidget(), Qt::Key_Return);
        QCOMPARE(tools.webPages.size(), 8);
        QCOMPARE(tools.webPages.last(), tools.webPages[2]);
    }
};

QTEST_MAIN(TestTools)
#include "test_tools.moc"
