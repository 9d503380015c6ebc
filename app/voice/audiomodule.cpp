// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The entry of the audio module: the program asks it for the clip player on the first clip.

#include <QtGlobal>

#include "app/voice/clipplayerloader.h"
#include "app/voice/sinkclipplayer.h"

extern "C" Q_DECL_EXPORT tallimo::ClipPlayer *tallimo_make_clip_player()
{
    return new tallimo::SinkClipPlayer;
}
