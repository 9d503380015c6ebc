#include "app/voice/clipplayerloader.h"

#include <QDir>
#include <QLibrary>

namespace tallimo {

std::unique_ptr<ClipPlayer> LoadClipPlayer(const QString &folder)
{
    // The library stays loaded for the rest of the run: the player's code lives in it.
    QLibrary module(QDir(folder).filePath(QStringLiteral("tallimo_audio")));
    using Make = ClipPlayer *(*)();
    if (const auto make = reinterpret_cast<Make>(module.resolve(AudioModuleEntry)))
        return std::unique_ptr<ClipPlayer>(make());
    return std::make_unique<SilentPlayer>();
}

}  // namespace tallimo
