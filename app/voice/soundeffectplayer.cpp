#include "app/voice/soundeffectplayer.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include "app/voice/clipnames.h"

namespace tallimo {

SoundEffectPlayer::SoundEffectPlayer(QObject *parent) : QObject(parent) {}

void SoundEffectPlayer::Play(const QString &name)
{
    const QString resource = ClipResource(name);
    if (resource.isEmpty()) {
        return;
    }
    Stop();
    // An effect made without an output complains each time it loads; asking first keeps it quiet,
    // and an output plugged in later is found on the next clip.
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        return;
    }
    QSoundEffect *&effect = effects_[resource];
    if (effect == nullptr) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl(QStringLiteral("qrc") + resource));
    }
    effect->play();
    playing_ = effect;
}

void SoundEffectPlayer::Stop()
{
    if (playing_ != nullptr) {
        playing_->stop();
        playing_ = nullptr;
    }
}

}  // namespace tallimo
