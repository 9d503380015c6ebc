// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QFont;
class QWidget;

namespace tallimo {

// The program's own font: set once at start, before a desktop theme may put its font in the
// application's place; until then the application's font.
void SetProgramFont(const QFont &font);
QFont ProgramFont();

// Gives a window of fixed layout and the controls it holds the program's font as their own, so
// that neither the application font nor the class fonts a desktop theme sets (fields, buttons,
// labels), nor the fonts of its style sheet, reach them. Called once the controls are made; a
// control with a font of its own keeps it.
void KeepProgramFont(QWidget &window);

}  // namespace tallimo
