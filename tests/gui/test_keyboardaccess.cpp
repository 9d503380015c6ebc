// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window with the keyboard alone and as an assistive tool reads it, on the page a first
// start shows and on the settings page; and its fixed colours on a dark desktop palette.

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>

#include "app/calcform.h"
#include "app/formstyle.h"
#include "tests/gui/formtesting.h"
#include "tools/tf_tools.h"
#include "windows/focusmark.h"

using namespace tallimo;

namespace {

struct ShownForm : FormUnderTest {
    explicit ShownForm(const std::function<void(ProgramSeams &)> &adjust = nullptr)
        : FormUnderTest(adjust)
    {
        Show();
    }

    QPlainTextEdit *Sheet() const { return Child<QPlainTextEdit>(QStringLiteral("Memo1")); }
    void ShowSettingsPage() const
    {
        QTest::mouseClick(Child<QToolButton>(QStringLiteral("SpeedButton4")), Qt::LeftButton);
    }
    // The object names the focus passes through, key after key, from the sheet.
    QStringList FocusPath(Qt::KeyboardModifiers modifiers, int keys) const
    {
        Sheet()->setFocus();
        QStringList path;
        for (int key = 0; key < keys; ++key) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            path << QApplication::focusWidget()->objectName();
        }
        return path;
    }
};

const QStringList PageButtons = {"SpeedButton2", "SpeedButton4"};
const QStringList ResultBoxes = {"Edit4", "Edit5", "Edit2"};
// The settings page's controls from the top of the page down, as its tables place them. Fast
// reading stays disabled until the voice setting is read from a file, so Tab passes it.
QStringList SettingsPageTabStops()
{
    QList<std::pair<int, QString>> stops;
    for (const SettingsPage::ColourButton &row : SettingsPage::ColourButtons())
        stops.append({row.top, QLatin1String(row.name)});
    for (const SettingsPage::NumberBox &row : SettingsPage::NumberBoxes())
        stops.append({row.top, QLatin1String(row.name)});
    for (const SettingsPage::Option &row : SettingsPage::Options()) {
        if (row.value != &SettingsPage::PageValues::fastReading)
            stops.append({row.top, QLatin1String(row.name)});
    }
    std::sort(stops.begin(), stops.end());
    QStringList names;
    for (const auto &stop : stops)
        names << stop.second;
    return names;
}

QStringList Reversed(QStringList list)
{
    std::reverse(list.begin(), list.end());
    return list;
}

// The relative luminance of a colour and the contrast of two, as the accessibility guidelines
// define them.
double Luminance(const QColor &colour)
{
    auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

double Contrast(const QColor &a, const QColor &b)
{
    const auto [dark, light] = std::minmax({Luminance(a), Luminance(b)});
    return (light + 0.05) / (dark + 0.05);
}

QPalette DarkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x23, 0x23, 0x23));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, Qt::white);
    return dark;
}

// Every control an assistive tool reaches in the window, with its role and name.
void Announced(QAccessibleInterface *node, QList<QAccessibleInterface *> &controls)
{
    if (node->state().invisible)
        return;
    controls << node;
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface *child = node->child(i))
            Announced(child, controls);
}

bool IsControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Link:
    case QAccessible::PageTab:
        return true;
    default:
        return false;
    }
}

}  // namespace

class TestKeyboardAccess : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpWindowTests(); }

    void tabLeavesTheSheet_data()
    {
        QTest::addColumn<bool>("settingsPage");
        QTest::addColumn<QStringList>("forward");
        // Tab stops at both page buttons, as at the tabs of a dialog.
        QTest::newRow("keypad page, as at a first start")
            << false << PageButtons + ResultBoxes + ToolbarButtonNames() + QStringList{"Memo1"};
        QTest::newRow("settings page")
            << true
            << PageButtons + SettingsPageTabStops() + ResultBoxes + ToolbarButtonNames() +
                   QStringList{"Memo1"};
    }
    // Tab runs through the window and back to the sheet, Shift+Tab the other way; the sheet
    // takes no tab character either way.
    void tabLeavesTheSheet()
    {
        QFETCH(bool, settingsPage);
        QFETCH(QStringList, forward);
        ShownForm shown;
        if (settingsPage)
            shown.ShowSettingsPage();
        QCOMPARE(shown.FocusPath(Qt::NoModifier, forward.size()), forward);
        const QStringList backward =
            Reversed(QStringList{"Memo1"} + forward.mid(0, forward.size() - 1));
        QCOMPARE(shown.FocusPath(Qt::ShiftModifier, backward.size()), backward);
        QTest::keyClick(shown.Sheet(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(shown.Sheet()->toPlainText(), QString());
    }

    // A result box takes the focus but no typing; its text can be selected and copied.
    void resultBoxesAreReadOnlyButFocusable()
    {
        ShownForm shown;
        QTest::keyClicks(shown.Sheet(), QStringLiteral("12+3="));
        auto *box = shown.Child<QLineEdit>(QStringLiteral("Edit5"));
        box->setFocus();
        QVERIFY(box->hasFocus());
        QTest::keyClicks(box, QStringLiteral("9"));
        QCOMPARE(box->text(), QStringLiteral("15"));
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(box->selectedText(), QStringLiteral("15"));
    }

    void pageButtonsSwitchEveryWay_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("mouse") << 0;
        QTest::newRow("space on the focused button") << 1;
        QTest::newRow("an assistive tool's toggle action") << 2;
        QTest::newRow("arrow keys from the other button") << 3;
        QTest::newRow("enter on the focused button") << 4;
        QTest::newRow("tab to the button, then space") << 5;
    }
    void pageButtonsSwitchEveryWay()
    {
        QFETCH(int, way);
        ShownForm shown;
        auto press = [&](const char *name) {
            auto *button = shown.Child<QToolButton>(QString::fromLatin1(name));
            if (way == 0) {
                QTest::mouseClick(button, Qt::LeftButton);
            } else if (way == 1 || way == 4) {
                button->setFocus();
                QTest::keyClick(button, way == 1 ? Qt::Key_Space : Qt::Key_Return);
            } else if (way == 5) {
                shown.Sheet()->setFocus();
                for (int key = 0; key < 40 && QApplication::focusWidget() != button; ++key)
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), button);
                QTest::keyClick(button, Qt::Key_Space);
            } else if (way == 3) {
                QWidget *other = shown.Child(QString::fromLatin1(
                    button->objectName() == QLatin1String("SpeedButton2") ? "SpeedButton4"
                                                                          : "SpeedButton2"));
                other->setFocus();
                QTest::keyClick(other, button->objectName() == QLatin1String("SpeedButton2")
                                           ? Qt::Key_Left
                                           : Qt::Key_Right);
            } else {
                QAccessibleInterface *node = QAccessible::queryAccessibleInterface(button);
                node->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
            }
        };
        QWidget *keypad = shown.Child(QStringLiteral("GroupBox1"));
        press("SpeedButton4");
        QWidget *settings = shown.Child(QStringLiteral("GroupBox2"));
        QVERIFY(settings->isVisible());
        QVERIFY(!keypad->isVisible());
        QVERIFY(!shown.Child<QToolButton>(QStringLiteral("SpeedButton2"))->isChecked());
        press("SpeedButton2");
        QVERIFY(keypad->isVisible());
        QVERIFY(!settings->isVisible());
        QVERIFY(!shown.Child<QToolButton>(QStringLiteral("SpeedButton4"))->isChecked());
    }

    void everyControlHasAName_data()
    {
        QTest::addColumn<bool>("settingsPage");
        QTest::newRow("keypad page") << false;
        QTest::newRow("settings page") << true;
    }
    // No control is announced by its role alone.
    void everyControlHasAName()
    {
        QFETCH(bool, settingsPage);
        ShownForm shown;
        if (settingsPage)
            shown.ShowSettingsPage();
        QList<QAccessibleInterface *> controls;
        Announced(QAccessible::queryAccessibleInterface(shown.form.get()), controls);
        int named = 0;
        for (QAccessibleInterface *control : controls) {
            if (!IsControl(control->role()))
                continue;
            const QString name = control->text(QAccessible::Name).trimmed();
            QVERIFY2(!name.isEmpty(), qPrintable(control->object()->objectName()));
            ++named;
        }
        QVERIFY(named > 0);
    }

    void namesSayWhatControlsDo_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("C") << "SpeedButton7"
                           << "清空";
        QTest::newRow("O") << "sb_copyresult"
                           << "复制结果";
        QTest::newRow("save") << "SpeedButton6"
                              << "存档";
        QTest::newRow("sheet") << "Memo1"
                               << "算式";
        QTest::newRow("this line's text") << "Edit4"
                                          << "本次结果大写";
        QTest::newRow("total") << "Edit5"
                               << "合计";
        QTest::newRow("total's text") << "Edit2"
                                      << "合计大写";
        QTest::newRow("font size box") << "SpinEdit2"
                                       << "字体";
        QTest::newRow("decimals box") << "SpinEdit1"
                                      << "小数";
        QTest::newRow("speech rate box") << "SpinEdit3"
                                         << "语速";
        QTest::newRow("backspace key <-") << "SpeedButton34"
                                          << "退格";
    }
    void namesSayWhatControlsDo()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        ShownForm shown;
        shown.ShowSettingsPage();
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(shown.Child(control));
        QCOMPARE(node->text(QAccessible::Name), name);
    }

    // The number boxes' captions are their labels, not text fields.
    void numberBoxCaptionsAreLabels()
    {
        ShownForm shown;
        shown.ShowSettingsPage();
        for (const char *caption : {"Edit3", "Edit1", "Edit6"}) {
            auto *label = shown.Child<QLabel>(QString::fromLatin1(caption));
            QVERIFY(qobject_cast<QSpinBox *>(label->buddy()));
            QCOMPARE(QAccessible::queryAccessibleInterface(label)->role(), QAccessible::StaticText);
        }
    }

    // The toolbar's commands with keys of their own; none of them acts while a modal window is
    // open.
    void shortcuts()
    {
        ShownForm shown;
        QTest::keyClicks(shown.Sheet(), QStringLiteral("1"));
        QTest::keyClick(shown.Sheet(), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(shown.Sheet(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(shown.world.fileFilters.size(), 2);
        QTest::keyClick(shown.Sheet(), Qt::Key_T, Qt::ControlModifier);
        Tf_tools *toolsWindow = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *tools = qobject_cast<Tf_tools *>(window); tools && tools->isVisible())
                toolsWindow = tools;
        }
        QVERIFY(toolsWindow);
        toolsWindow->close();
        QCOMPARE(shown.Sheet()->toPlainText(), QStringLiteral("1"));

        QWidget *help = nullptr;
        int filtersInModal = -1;
        QTimer::singleShot(0, [&] {
            help = QApplication::activeModalWidget();
            if (!help)
                return;
            QTest::keyClick(help, Qt::Key_S, Qt::ControlModifier);
            filtersInModal = shown.world.fileFilters.size();
            QTest::keyClick(help, Qt::Key_Escape);
        });
        shown.form->activateWindow();
        QTest::keyClick(shown.Sheet(), Qt::Key_F1);
        QVERIFY(help);
        QCOMPARE(help->objectName(), QStringLiteral("f_calchelp"));
        QCOMPARE(filtersInModal, 2);
        QVERIFY(!help->isVisible());
    }

    // The colours the design fixes keep their ground on a dark desktop palette, and every pair
    // reads at 4.5:1 or better, save the design's red captions on the key face.
    void fixedColoursOnADarkPalette()
    {
        const QPalette before = QApplication::palette();
        QApplication::setPalette(DarkPalette());
        {
            ShownForm shown;
            shown.ShowSettingsPage();
            struct Pair {
                const char *control;
                QPalette::ColorRole text;
                QPalette::ColorRole ground;
                double least;
            };
            const Pair pairs[] = {
                {"SpeedButton8", QPalette::ButtonText, QPalette::Button, 4.5},
                {"SpeedButton34", QPalette::ButtonText, QPalette::Button, 3.5},
                {"SpeedButton7", QPalette::ButtonText, QPalette::Window, 4.5},
                {"SpeedButton2", QPalette::ButtonText, QPalette::Button, 4.5},
                {"SpeedButton35", QPalette::ButtonText, QPalette::Button, 4.5},
                {"Label1", QPalette::WindowText, QPalette::Window, 4.5},
                {"Label2", QPalette::WindowText, QPalette::Window, 4.5},
                {"Label3", QPalette::WindowText, QPalette::Window, 4.5},
                {"Label4", QPalette::WindowText, QPalette::Window, 4.5},
                {"CheckBox1", QPalette::WindowText, QPalette::Window, 4.5},
                {"Memo1", QPalette::Text, QPalette::Base, 4.5},
            };
            for (const Pair &pair : pairs) {
                const QPalette &palette = shown.Child(QString::fromLatin1(pair.control))->palette();
                const double contrast =
                    Contrast(palette.color(pair.text), palette.color(pair.ground));
                QVERIFY2(contrast >= pair.least,
                         qPrintable(QStringLiteral("%1: %2 (%3 on %4)")
                                        .arg(pair.control)
                                        .arg(contrast)
                                        .arg(palette.color(pair.text).name(),
                                             palette.color(pair.ground).name())));
            }
        }
        QApplication::setPalette(before);
    }

    // The voice button is a switch whose check mark is the voice, however either of them is
    // changed.
    void voiceButtonTellsItsState()
    {
        ShownForm shown;
        auto *button = shown.Child<QToolButton>(QStringLiteral("ToolButton6"));
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(button);
        QVERIFY(node->state().checkable);
        QVERIFY(node->state().checked);
        QCOMPARE(node->text(QAccessible::Name), QStringLiteral("声音关或开"));

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!node->state().checked);
        shown.ShowSettingsPage();
        auto *voice = shown.Child<QCheckBox>(QStringLiteral("CheckBox2"));
        QVERIFY(!voice->isChecked());

        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
        QVERIFY(node->state().checked);
        QVERIFY(voice->isChecked());

        node->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(!voice->isChecked());
        QVERIFY(!node->state().checked);

        voice->setChecked(true);
        QVERIFY(node->state().checked);
    }

    // The tray menu's commands have keys in the window, which the menu and the window's
    // descriptions name; without a tray to come back from, the window does not hide.
    void trayCommandsHaveKeys()
    {
        ShownForm shown;
        auto *menu = shown.Child<QMenu>(QStringLiteral("PopupMenu1"));
        QStringList keys;
        for (QAction *item : menu->actions())
            keys << item->shortcut().toString();
        QStringList commandKeys;
        for (const ToolbarCommand &command : TCalcForm::ToolbarCommands()) {
            if (command.item)
                commandKeys << QString::fromLatin1(command.key);
        }
        QCOMPARE(keys, commandKeys);
        QVERIFY(shown.form->accessibleDescription().contains(QStringLiteral("Ctrl+H")));
        QVERIFY(shown.Child(QStringLiteral("SpeedButton45"))
                    ->accessibleDescription()
                    .contains(QStringLiteral("Ctrl+Q")));

        QTest::keyClick(shown.Sheet(), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(shown.form->isVisible());
        QCOMPARE(shown.world.quits, 0);
        QTest::keyClick(shown.Sheet(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(shown.world.quits, 1);
    }

    // While a modal box is open, an assistive tool's press on a button of the main window behind
    // it goes unanswered, as a click there does.
    void buttonsBehindAModalBoxIgnorePresses_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("keypad 7") << "SpeedButton8";
        QTest::newRow("keypad <-") << "SpeedButton34";
        QTest::newRow("toolbar clear") << "SpeedButton7";
        QTest::newRow("toolbar save") << "SpeedButton6";
        QTest::newRow("settings background colour") << "SpeedButton35";
    }
    void buttonsBehindAModalBoxIgnorePresses()
    {
        QFETCH(QString, button);
        int colourChoices = 0;
        ShownForm shown([&colourChoices](ProgramSeams &seams) {
            seams.chooseColour = [&colourChoices](quint32) -> std::optional<quint32> {
                ++colourChoices;
                return std::nullopt;
            };
        });
        shown.ShowSettingsPage();
        QTest::keyClicks(shown.Sheet(), QStringLiteral("12"));
        auto answered = [&] {
            return shown.Sheet()->toPlainText() != QStringLiteral("12") ||
                   !shown.world.fileFilters.isEmpty() || colourChoices > 0;
        };
        QMessageBox box(QMessageBox::Information, QStringLiteral("Tallimo"), QStringLiteral("1"));
        box.setWindowModality(Qt::ApplicationModal);
        box.show();
        QTRY_COMPARE(QApplication::activeModalWidget(), &box);
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(shown.Child(button));
        for (int press = 0; press < 3; ++press)
            node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTest::qWait(300);
        QVERIFY(!answered());

        box.close();
        node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(answered());
    }

    void focusIsMarkedOnEveryControl_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<bool>("tools");
        QTest::newRow("main window, light palette") << false << false;
        QTest::newRow("main window, dark palette") << true << false;
        QTest::newRow("tools window, light palette") << false << true;
        QTest::newRow("tools window, dark palette") << true << true;
    }
    // Every control Tab reaches, on every page, shows a focus mark whose pixels change at 3:1 or
    // more from the unfocused look over at least the area of a line 2 pixels wide around the
    // control.
    void focusIsMarkedOnEveryControl()
    {
        QFETCH(bool, dark);
        QFETCH(bool, tools);
        const QPalette before = QApplication::palette();
        if (dark)
            QApplication::setPalette(DarkPalette());
        {
            ShownForm shown;
            QWidget *window = shown.form.get();
            QTabWidget *pages = nullptr;
            if (tools) {
                QTest::keyClick(shown.Sheet(), Qt::Key_T, Qt::ControlModifier);
                for (QWidget *candidate : QApplication::topLevelWidgets()) {
                    if (qobject_cast<Tf_tools *>(candidate) && candidate->isVisible())
                        window = candidate;
                }
                QVERIFY(qobject_cast<Tf_tools *>(window));
                QVERIFY(QTest::qWaitForWindowActive(window));
                pages = window->findChild<QTabWidget *>();
            }
            const int rounds = tools ? pages->count() : 2;
            QStringList marked;
            for (int round = 0; round < rounds; ++round) {
                if (tools)
                    pages->setCurrentIndex(round);
                else if (round == 1)
                    shown.ShowSettingsPage();
                QWidget *start = QApplication::focusWidget();
                QVERIFY(start);
                for (int key = 0; key < 60; ++key) {
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                    QWidget *control = QApplication::focusWidget();
                    QVERIFY(control);
                    VerifyFocusMark(*window, *control);
                    marked << control->objectName();
                    if (control == start)
                        break;
                }
            }
            QVERIFY(marked.size() > (tools ? 12 : 20));
        }
        QApplication::setPalette(before);
    }

private:
    static void VerifyFocusMark(QWidget &window, QWidget &focus)
    {
        QWidget *control = &focus;
        while (control->parentWidget() && control->parentWidget()->focusProxy() == control &&
               !qobject_cast<QTabWidget *>(control->parentWidget()))
            control = control->parentWidget();
        auto *mark = window.findChild<FocusMark *>();
        QVERIFY(mark);
        QCOMPARE(mark->Marked(), control);
        const QRect place(control->mapTo(&window, QPoint(0, 0)), control->size());
        const QRect around = place.adjusted(-4, -4, 4, 4).intersected(window.rect());
        const QImage focused = window.grab(around).toImage();
        mark->hide();
        const QImage unfocused = window.grab(around).toImage();
        mark->show();
        int changed = 0;
        for (int y = 0; y < focused.height(); ++y)
            for (int x = 0; x < focused.width(); ++x)
                changed += Contrast(focused.pixelColor(x, y), unfocused.pixelColor(x, y)) >= 3.0;
        const int lineArea = 2 * (2 * (place.width() + place.height()));
        QVERIFY2(changed >= lineArea,
                 qPrintable(QStringLiteral("%1: %2 pixels changed at 3:1, %3 needed")
                                .arg(control->objectName())
                                .arg(changed)
                                .arg(lineArea)));
    }
};

QTEST_MAIN(TestKeyboardAccess)
#include "test_keyboardaccess.moc"
