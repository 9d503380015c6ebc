// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/windowfont.h"

#include <QApplication>
#include <QFont>
#include <QWidget>

#include <optional>

namespace tallimo {

namespace {

std::optional<QFont> &ChosenProgramFont()
{
    static std::optional<QFont> font;
    return font;
}

// A style sheet's font outranks a font set on the control, so under a style sheet the control
// states its own font in one of its own.
QString FontRule(const QFont &font)
{
    const QString size = font.pixelSize() > 0 ? QStringLiteral("%1px").arg(font.pixelSize())
                                              : QStringLiteral("%1pt").arg(font.pointSizeF());
    return QStringLiteral("font-family: \"%1\"; font-size: %2; font-weight: %3;")
        .arg(font.family(), size)
        .arg(font.bold() ? QStringLiteral("bold") : QStringLiteral("normal"));
}

}  // namespace

void SetProgramFont(const QFont &font)
{
    ChosenProgramFont() = font;
    QApplication::setFont(font);
}

QFont ProgramFont() { return ChosenProgramFont().value_or(QApplication::font()); }

void KeepProgramFont(QWidget &window)
{
    const QFont program = ProgramFont();
    QFont own;
    own.setFamilies(program.families());
    own.setFamily(program.family());
    own.setHintingPreference(program.hintingPreference());
    if (program.pixelSize() > 0)
        own.setPixelSize(program.pixelSize());
    else
        own.setPointSizeF(program.pointSizeF());
    window.setFont(own);
    const bool styleSheetFonts = !qApp->styleSheet().isEmpty();
    // A control takes a class font of the theme over what its window passes on, so each one
    // without a font of its own gets the window's.
    for (QWidget *control : window.findChildren<QWidget *>()) {
        const bool ownFont = control->testAttribute(Qt::WA_SetFont);
        if (!ownFont)
            control->setFont(own);
        if (styleSheetFonts && control->styleSheet().isEmpty())
            control->setStyleSheet(FontRule(ownFont ? control->font() : own));
    }
}

}  // namespace tallimo
