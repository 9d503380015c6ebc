// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace tallimo {

// Plays the recorded clips by their catalogue names ("eqr_wav"), matched without regard to case;
// a name that is no clip plays nothing. Play returns at once and cuts the clip still playing;
// the last clip plays to its end unless Stop silences it.
class ClipPlayer {
public:
    virtual ~ClipPlayer() = default;

    virtual void Play(const QString &name) = 0;
    virtual void Stop() = 0;
};

}  // namespace tallimo
