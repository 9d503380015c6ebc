// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/windowfont.h"

#include <QApplication>
#include <QWidget>

namespace tallimo {

void KeepProgramFont(QWidget &window)
{
    const QFont program = QApplication::font();
    QFont own;
    own.setFamilies(program.families());
    own.setFamily(program.family());
    own.setHintingPreference(program.hintingPreference());
    if (program.pixelSize() > 0)
        own.setPixelSize(program.pixelSize());
    else
        own.setPointSizeF(program.pointSizeF());
    window.setFont(own);
    // A control takes a class font of the theme over what its window passes on, so each one
    // without a font of its own gets the window's.
    for (QWidget *control : window.findChildren<QWidget *>()) {
        if (!control->testAttribute(Qt::WA_SetFont))
            control->setFont(own);
    }
}

}  // namespace tallimo
