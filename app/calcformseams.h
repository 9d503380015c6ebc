#pragma once

#include <QCoreApplication>
#include <QString>
#include <functional>

namespace tallimo {

// Shows a modal message box with an OK button, captioned with the program's name.
void ShowModalMessage(const QString &text);

// What the main window does to the world outside it. The program runs with the defaults; tests
// replace them so that nothing quits the test run and no modal box waits for a click.
struct CalcFormSeams {
    std::function<void()> quit = [] { QCoreApplication::quit(); };
    std::function<void(const QString &)> showMessage = ShowModalMessage;
};

}  // namespace tallimo
