#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

#include "gui/formtesting.h"
#include "tf_tools.h"

using namespace tallimo;

namespace {

QWidget *ToolsWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("f_tools"))
            return window;
    }
    qFatal("no tools window");
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
        QList<QUrl> webPages;
        main.form->CreateToolsWindow([&webPages](const QUrl &address) { webPages << address; });
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

        Control<QPushButton>(*tools, "Button5")->click();
        QCOMPARE(webPages.size(), 1);
        QVERIFY(main.world.messages.isEmpty());
    }
};

QTEST_MAIN(TestToolsHook)
#include "test_toolshook.moc"
