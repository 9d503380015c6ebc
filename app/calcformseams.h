#pragma once

#include <QCoreApplication>
#include <functional>

namespace tallimo {

// What the main window does to the world outside it. The program runs with the defaults; tests
// replace them so that nothing quits the test run.
struct CalcFormSeams {
    std::function<void()> quit = [] { QCoreApplication::quit(); };
};

}  // namespace tallimo
