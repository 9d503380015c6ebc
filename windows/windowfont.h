// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

namespace tallimo {

// Gives a window of fixed layout and the controls it holds the program's font as their own, so
// the fonts a desktop theme gives classes of controls (fields, buttons, labels) do not reach
// them. Called once the controls are made; a control with a font of its own keeps it.
void KeepProgramFont(QWidget &window);

}  // namespace tallimo
