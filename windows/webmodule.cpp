// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The entry of the web module: the program asks it for the web page window on first use.

#include <QFileInfo>
#include <QLibraryInfo>
#include <QtGlobal>

#include "windows/webbrowse.h"

namespace {

// The web view renders in a helper process; without it Qt WebEngine aborts the program on its
// first page instead of failing.
bool WebViewCanStart()
{
    const QString process = qEnvironmentVariable(
        "QTWEBENGINEPROCESS_PATH",
        QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + "/QtWebEngineProcess");
    return QFileInfo(process).isExecutable();
}

}  // namespace

extern "C" Q_DECL_EXPORT tallimo::WebPageWindow *tallimo_make_web_page_window()
{
    if (!WebViewCanStart())
        return nullptr;
    return new tallimo::Tf_webbrowse;
}
