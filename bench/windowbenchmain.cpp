// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The main of the benchmarks that run the window's code: offscreen, the application set up as the
// program sets it up, and the standard folders in Qt's test mode, so that nothing reaches the
// user's own files.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardPaths>

#include "app/appsetup.h"

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tallimo::SetUpApplication();
    QStandardPaths::setTestModeEnabled(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
