// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The calendar page opening in the web page window: from the navigation to the page loaded and
// its script run, in a fresh window each time, the web view already running. Started under an
// accessibility client, the web view also builds the page's accessibility tree for it; run once
// with and once without (QTWEBENGINE_CHROMIUM_FLAGS=--force-renderer-accessibility forces the
// tree without a client) to see what the tree costs the opening.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <QWebEngineView>

#include "tests/support/websandbox.h"
#include "windows/calendarpage.h"
#include "windows/webbrowse.h"
#include "windows/webviewsetup.h"

using namespace tallimo;

namespace {

constexpr int WebViewStart = 60000;

bool OpenOnce(const QUrl &page)
{
    Tf_webbrowse window;
    auto *view = window.findChild<QWebEngineView *>(QStringLiteral("WebBrowser1"));
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    window.Navigate(page);
    window.Show();
    return loaded.wait(WebViewStart) && loaded.first().first().toBool();
}

void OpenCalendar(benchmark::State &state)
{
    QTemporaryDir folder;
    const QUrl page = QUrl::fromLocalFile(UnpackCalendarPage(folder.path() + '/'));
    // The web view's processes start with the first page.
    if (!OpenOnce(page)) {
        state.SkipWithError("the web view does not load the page here");
        return;
    }
    for (auto _ : state) {
        if (!OpenOnce(page)) {
            state.SkipWithError("the page did not load");
            return;
        }
    }
}
BENCHMARK(OpenCalendar)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char *argv[])
{
    SwitchOffWebSandboxForTheSuperuser();
    QApplication app(argc, argv);
    if (!PrepareWebView())
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
