#include "windows/webenginesetup.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QtGlobal>

#include <unistd.h>

// Qt's setter of the program-wide shared context (exported by Qt Gui, declared only in its private
// headers); Qt's start-up calls it the same way for a program that asks before start-up.
void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace tallimo {

void PrepareWebEngine()
{
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", QByteArray("1"));
    if (!QOpenGLContext::globalShareContext()) {
        // Kept to the end of the run; where OpenGL is missing the invalid context makes the engine
        // draw in software.
        auto *shared = new QOpenGLContext(QCoreApplication::instance());
        shared->setFormat(QSurfaceFormat::defaultFormat());
        shared->create();
        qt_gl_set_global_share_context(shared);
    }
}

}  // namespace tallimo
