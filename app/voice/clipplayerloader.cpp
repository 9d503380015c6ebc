// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/voice/clipplayerloader.h"

#include "common/moduleloader.h"

namespace tallimo {

std::unique_ptr<ClipPlayer> LoadClipPlayer(const QString &folder)
{
    using Make = ClipPlayer *(*)();
    const auto make = reinterpret_cast<Make>(
        ResolveModuleEntry(folder, QStringLiteral("tallimo_audio"), AudioModuleEntry));
    if (make)
        return std::unique_ptr<ClipPlayer>(make());
    return std::make_unique<SilentPlayer>();
}

}  // namespace tallimo
