// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How the colours of the settings file show in the window. The platform's system colours take
// their look from the application palette; "none", "default" and unknown system colours leave a
// control as it is. A colour read from the file keeps its text for as long as its control shows
// it, so that a system colour name goes back into the file as the name and not as whatever the
// palette made of it.

#include <QColor>
#include <QPalette>

#include <optional>

#include "common/colourtext.h"

namespace tallimo {

// The colour a control shows for the setting, or nothing when the control keeps its own.
std::optional<QColor> ShownColour(Colour colour, const QPalette &palette);

// A colour read from the file and what its control showed once the colour was applied.
struct KeptColour {
    Colour colour = 0;
    QColor shown;
};

// The colour to write for what a control shows now: the kept colour while the control still
// shows it, otherwise the shown colour's own value.
Colour SavedColour(const QColor &shown, const std::optional<KeptColour> &kept);

}  // namespace tallimo
