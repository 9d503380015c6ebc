#pragma once

#include <QObject>
#include <QString>

#include <map>

#include "common/clipplayer.h"

class QSoundEffect;

namespace tallimo {

// Plays the embedded clips through QSoundEffect. Nothing touches the audio system before the
// first clip is asked for, and each clip gets its effect, a child of the player, on its first
// play. Where the machine has no audio output no effect is made and the clips are dropped
// without a word.
class SoundEffectPlayer final : public QObject, public ClipPlayer {
public:
    explicit SoundEffectPlayer(QObject *parent = nullptr);

    void Play(const QString &name) override;
    void Stop() override;

private:
    std::map<QString, QSoundEffect *> effects_;
    QSoundEffect *playing_ = nullptr;
};

}  // namespace tallimo
