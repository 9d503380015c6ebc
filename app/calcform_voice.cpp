// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's voice: a clip for each key and button, the read-out of each result, and the switch
// that turns both on and off. The player comes into being with the first clip, so the sound
// system is never set up before the window has been drawn.

#include <QIcon>
#include <QTimer>
#include <QToolButton>

#include "app/calcform.h"
#include "app/formstyle.h"
#include "app/voice/backgroundclipplayer.h"
#include "common/resultbar.h"

namespace tallimo {

void TCalcForm::ShowVoiceSwitch(bool on)
{
    ToolButton6->setIcon(ToolbarIcon(on ? "voice-on" : "voice-off"));
    // The button's check mark is the voice, so that a screen reader tells whether it is on.
    ToolButton6->setChecked(on);
}

// The voice button's check mark changed: by a click, a key, an assistive tool's toggle, or the
// voice itself.
void TCalcForm::ToolButton6Click()
{
    const bool on = ToolButton6->isChecked();
    if (on != VoiceOn())
        settingsPage_.SetVoice(on);
}

void TCalcForm::StartVoice()
{
    if (player_)
        return;
    waiter_ = seams_.makeWaiter();
    // A sound system that stops answering must not stop the window with it.
    player_ = std::make_unique<BackgroundClipPlayer>(seams_.makeClipPlayer());
    readOut_ = std::make_unique<ReadOut>(*player_, *waiter_, [this] { return SpeechRate(); });
}

void TCalcForm::StopVoice()
{
    if (readOut_)
        readOut_->Stop();
}

void TCalcForm::PlayClip(const QString &name)
{
    if (name.isEmpty() || !VoiceOn())
        return;
    StartVoice();
    player_->Play(name);
}

void TCalcForm::ReadResult(const ResultBarTexts &texts)
{
    if (!VoiceOn())
        return;
    const bool digitByDigit = FastReading() || texts.lineTextIsNumberText;
    const QString text = digitByDigit ? texts.lineNumberText : texts.lineText;
    // The reading starts once Enter's line break is in: the evaluation stays one undo step, and
    // keys typed while it is read go to the new line.
    QTimer::singleShot(0, this, [this, digitByDigit, text] {
        if (exited_)
            return;
        StartVoice();
        if (digitByDigit)
            readOut_->read1(text);
        else
            readOut_->readstr(text);
    });
}

}  // namespace tallimo
