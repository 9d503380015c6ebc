// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

#include "common/programseams.h"
#include "windows/webpagewindow.h"

namespace tallimo {

// The one web page window of the run, made on its first use, and the two ways the program opens
// it. Where the window cannot be made (no module, no web view) the pages open in the system's
// browser instead.
class WebPageOpener {
public:
    // Null when the window cannot be made; it is then not asked for again.
    using MakeWindow = std::function<std::unique_ptr<WebPageWindow>()>;

    WebPageOpener(const ProgramSeams &seams, MakeWindow makeWindow);

    // A web shortcut of the tools window: the address field hidden, the window not modal, so
    // the tools window stays usable behind it.
    void OpenShortcut(const QUrl &address);
    // The perpetual calendar, unpacked into `folder` when missing, shown modally without the
    // address bar. A page that cannot be written raises CalcError before anything opens.
    void OpenCalendarPage(const QString &folder);

private:
    // The window, made on the first call; null when it cannot be made.
    WebPageWindow *Window();

    const ProgramSeams &seams_;
    MakeWindow makeWindow_;
    // Empty until the window is asked for, then the window or null for good.
    std::optional<std::unique_ptr<WebPageWindow>> window_;
};

}  // namespace tallimo
