// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

#include "tests/gui/formtesting.h"
#include "tools/tf_tools.h"

using namespace tallimo;

namespace {

QWidget *ToolsWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("f_tools"))
            return window;
    }
    return nullptr;
}

}  // namespace

class TestToolsHook : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetUpWindowTests(); }

    void toolbarButtonAndTrayItemShowTheToolsWindow()
    {
        FormUnderTest main;
        main.Show();
        // The tools window is made right after the first paint, and stays hidden.
        QTRY_VERIFY(ToolsWindow());
        QWidget *tools = ToolsWindow();
        QVERIFY(tools->isHidden());

        // Each showing runs the show sequence: the start time is the clock's.
        const auto shownAt = [tools] { return Control<QTimeEdit>(*tools, "Time1")->time(); };
        const std::function<void()> commands[] = {
            [&] { main.Child<QToolButton>("SpeedButton44")->click(); },
            [&] { main.Child<QAction>("N4")->trigger(); },
        };
        for (const auto &command : commands) {
            main.world.clock = main.world.clock.addSecs(60);
            command();
            QVERIFY(tools->isVisible());
            QCOMPARE(tools->windowModality(), Qt::NonModal);
            QCOMPARE(shownAt(), main.world.clock.time());
            tools->close();
            QVERIFY(tools->isHidden());
        }

        // Without the web page module beside the tests, a shortcut opens its page in the
        // system's browser.
        Control<QPushButton>(*tools, "Button5")->click();
        QCOMPARE(main.world.openedAddresses.size(), 1);
        QVERIFY(main.world.messages.isEmpty());
    }
};

QTEST_MAIN(TestToolsHook)
#include "test_toolshook.moc"
