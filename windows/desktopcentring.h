// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

namespace tallimo {

// Centres the window's frame, title bar included, on the available desktop of its screen every
// time the program shows it (a window restored from the task bar stays where it was). Where the
// window manager frames the window differently than the window was placed for, the first
// placement is corrected once the frame is known.
void CentreOnEveryShowing(QWidget &window);

}  // namespace tallimo
