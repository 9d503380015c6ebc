#include "windows/websandbox.h"

#include <QByteArray>
#include <QtGlobal>

#include <unistd.h>

namespace tallimo {

void AllowWebEngineForSuperuser()
{
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", QByteArray("1"));
}

}  // namespace tallimo
