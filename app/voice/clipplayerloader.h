// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <memory>

#include "common/clipplayer.h"

namespace tallimo {

// The sound system and the clips live in the module tallimo_audio beside the program, loaded on
// the first clip: the program starts without the audio libraries. Where the module cannot be
// loaded the clips are dropped without a word, as on a machine without audio output.
inline constexpr char AudioModuleEntry[] = "tallimo_make_clip_player";

std::unique_ptr<ClipPlayer> LoadClipPlayer(const QString &folder);

// The player of a program without sound: every clip is dropped.
class SilentPlayer final : public ClipPlayer {
public:
    void Play(const QString &) override {}
    void Stop() override {}
};

}  // namespace tallimo
