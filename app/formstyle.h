// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The colours and fonts of the main window, and the helpers that give a control its look.

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPoint>
#include <QString>
#include <QStringList>

class QGroupBox;
class QToolButton;
class QWidget;

namespace tallimo {

// The looks a first start shows, as the form defaults give them: the window's place, the colour
// of its panels, and the sheet's background and text.
QPoint FirstPosition();
QColor FirstBackColour();
QColor FirstSheetColour();
QColor FirstTextColour();

inline const QColor Blue(0x00, 0x00, 0xFF);
inline const QColor Red(0xFF, 0x00, 0x00);
inline const QColor Black(0x00, 0x00, 0x00);
// The face of the buttons on the coloured panels.
inline const QColor ButtonFace(0xF0, 0xF0, 0xF0);

// The installed fonts that stand in for "宋体" and Arial. For "宋体": SimSun where it is installed,
// otherwise one of the Chinese fonts that a Linux desktop has (the set-up installs the small
// WenQuanYi font, which loads fast). For Arial: Arial or its metric twins, otherwise the plain
// sans serif that every desktop has, otherwise the Chinese font. A window font asks for its
// stand-in by name: asked for a family that is not installed, Qt searches the system's fonts for a
// fallback at every size, which costs the start milliseconds. Where none of the stand-ins is
// installed, the names themselves are kept and Qt's own fallback applies.
struct WindowFontFamilies {
    QString song;
    QString arial;
};
WindowFontFamilies ChooseWindowFonts(const QStringList &installed);
// Chooses the stand-ins from the fonts installed here. Call before creating any window.
void UseInstalledWindowFonts();

// The window font "宋体" and the sheet font Arial, by their stand-ins, sized in pixels.
QFont SongFont(int pixelSize);
QFont ArialFont(int pixelSize);

// The program's icon, in the title bar and in the notification area, at the sizes a desktop
// shows it.
QIcon ApplicationIcon();

// A toolbar image by its name ("paste"), with its double-size twin for high-density screens.
QIcon ToolbarIcon(const char *name);

// A page of the side panel (keypad or settings), in its place and colour.
QGroupBox *SidePage(QGroupBox *page);
// A button of a side panel page, which leaves the keyboard focus where it is.
QToolButton *PageButton(QToolButton *button, const QString &caption, const QRect &geometry);

// Fills the widget's background with the colour; the text on it is black and the buttons on it
// have a light face, whatever the desktop's palette.
void SetBackground(QWidget *widget, const QColor &colour);
// Fills the widget's background with the colour and leaves the colour of its text as it is.
void FillBackground(QWidget *widget, const QColor &colour);
// Sets the colour of the widget's text (labels, buttons, check boxes).
void SetTextColour(QWidget *widget, const QColor &colour);

}  // namespace tallimo
