#pragma once

// The colours and fonts of the main window, and the helpers that give a control its look.

#include <QColor>
#include <QFont>
#include <QIcon>

class QGroupBox;
class QToolButton;
class QWidget;

namespace tallimo {

inline const QColor MoneyGreen(0xC0, 0xDC, 0xC0);
inline const QColor Teal(0x00, 0x80, 0x80);
inline const QColor Blue(0x00, 0x00, 0xFF);
inline const QColor Red(0xFF, 0x00, 0x00);
inline const QColor White(0xFF, 0xFF, 0xFF);

// Makes "宋体" and Arial resolve to installed fonts that hold the glyphs the windows show, so
// that no character turns into a box where the named fonts are missing. Call before creating
// any window.
void InstallFontSubstitutes();

// The window font "宋体" and the sheet font Arial, sized in pixels.
QFont SongFont(int pixelSize);
QFont ArialFont(int pixelSize);

// The program's icon, in the title bar and in the notification area.
QIcon ApplicationIcon();

// A toolbar image by its name ("paste"), with its double-size twin for high-density screens.
QIcon ToolbarIcon(const char *name);

// A page of the side panel (keypad or settings), in its place and colour.
QGroupBox *SidePage(QGroupBox *page);
// A button of a side panel page, which leaves the keyboard focus where it is.
QToolButton *PageButton(QToolButton *button, const QString &caption, const QRect &geometry);

// Fills the widget's background with the colour.
void SetBackground(QWidget *widget, const QColor &colour);
// Sets the colour of the widget's text (labels, buttons, check boxes).
void SetTextColour(QWidget *widget, const QColor &colour);

}  // namespace tallimo
