#include "appsetup.h"

#include <QApplication>

#include "formstyle.h"

namespace tallimo {

void SetUpApplication()
{
    InstallFontSubstitutes();
    QApplication::setFont(SongFont(12));
    QApplication::setQuitOnLastWindowClosed(false);
}

}  // namespace tallimo
