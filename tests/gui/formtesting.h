// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QLocale>
#include <QStringList>
#include <QTest>

#include <functional>
#include <memory>

#include "app/appsetup.h"
#include "app/calcform.h"
#include "tests/support/fakeworld.h"

namespace tallimo {

// The colours a first start shows: the panels in money green, the sheet white on teal.
inline const QColor MoneyGreen(0xC0, 0xDC, 0xC0);
inline const QColor Teal(0x00, 0x80, 0x80);
inline const QColor White(0xFF, 0xFF, 0xFF);

namespace detail {

inline QtMessageHandler &PassedOnMessages()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

// Without a notification area the tray icon falls back to an X11 implementation that connects to
// a signal the offscreen platform lacks, once for every window; the icon itself works on. Only
// that one warning is dropped, every other one reaches the log.
inline void DropTrayFallbackWarning(QtMsgType type, const QMessageLogContext &context,
                                    const QString &message)
{
    const bool trayFallback =
        type == QtWarningMsg &&
        message == QLatin1String(
                       "QObject::connect: No such signal "
                       "QPlatformNativeInterface::systemTrayWindowChanged(QScreen*)");
    if (!trayFallback)
        PassedOnMessages()(type, context, message);
}

}  // namespace detail

// The program's fonts and options, and the locale fixed, as every window test starts.
inline void SetUpWindowTests()
{
    QLocale::setDefault(QLocale::c());
    SetUpApplication();
    if (!detail::PassedOnMessages())
        detail::PassedOnMessages() = qInstallMessageHandler(detail::DropTrayFallbackWarning);
}

// A control of the window by its name; a missing one ends the test run.
template <typename Widget = QWidget>
Widget *Control(const QObject &form, const QString &name)
{
    auto *child = form.findChild<Widget *>(name);
    if (!child)
        qFatal("no control %s", qPrintable(name));
    return child;
}

// The toolbar's buttons by name, left to right, as the window's table of commands gives them.
inline QStringList ToolbarButtonNames()
{
    QStringList names;
    for (const ToolbarCommand &command : TCalcForm::ToolbarCommands()) {
        if (command.button)
            names << QLatin1String(command.button);
    }
    return names;
}

// The main window on a fake world of its own. `adjust` changes the world's seams before the
// window is made, for a test that stands in for more than the world does.
struct FormUnderTest {
    FakeWorld world;
    std::unique_ptr<TCalcForm> form;

    explicit FormUnderTest(const std::function<void(ProgramSeams &)> &adjust = nullptr)
    {
        ProgramSeams seams = world.Seams();
        if (adjust)
            adjust(seams);
        form = std::make_unique<TCalcForm>(seams);
    }

    // Shows the window on the offscreen screen and waits until it has the keyboard.
    void Show() const
    {
        form->show();
        if (!QTest::qWaitForWindowActive(form.get()))
            qFatal("the main window did not become active");
    }

    template <typename Widget = QWidget>
    Widget *Child(const QString &name) const
    {
        return Control<Widget>(*form, name);
    }
};

}  // namespace tallimo
