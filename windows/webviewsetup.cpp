// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/webviewsetup.h"

#include <QCoreApplication>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QtGlobal>

#include <unistd.h>

// Qt's setter of the program-wide shared context (exported by Qt Gui, declared only in its private
// headers); Qt's start-up calls it the same way for a program that asks before start-up.
void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace tallimo {

namespace {

const QByteArray ChineseInterface("--lang=zh-CN");
const char LinuxAccessibility[] = "QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY";

}  // namespace

bool PrepareWebView()
{
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        return false;
    // The web view's own texts (error pages, context menus) in Chinese, as the rest of the windows,
    // whatever the system's locale. The switch goes last, so it wins over one in the environment.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains(ChineseInterface))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.append(' ').append(ChineseInterface).trimmed());
    // Qt WebEngine leaves the pages out of the accessibility tree on Linux unless asked; asked, it
    // builds a page's tree only while an assistive tool (a screen reader) is listening, so the
    // page's controls reach the tool at no cost to anyone else.
    if (!qEnvironmentVariableIsSet(LinuxAccessibility))
        qputenv(LinuxAccessibility, "1");
    if (!QOpenGLContext::globalShareContext()) {
        // Kept to the end of the run; where OpenGL is missing the invalid context makes the web
        // view draw in software.
        auto *shared = new QOpenGLContext(QCoreApplication::instance());
        shared->setFormat(QSurfaceFormat::defaultFormat());
        shared->create();
        qt_gl_set_global_share_context(shared);
    }
    return true;
}

}  // namespace tallimo
