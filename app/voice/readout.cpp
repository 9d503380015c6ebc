// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/voice/readout.h"

#include <QList>

#include <utility>

#include "app/voice/clipnames.h"

namespace tallimo {

ReadOut::ReadOut(ClipPlayer &player, Waiter &waiter, std::function<int()> rate)
    : player_(player), waiter_(waiter), rate_(std::move(rate))
{
}

void ReadOut::readstr(const QString &uppercaseText) { Read(uppercaseText, &UppercaseTextClip); }

void ReadOut::read1(const QString &numberText) { Read(numberText, &NumberTextClip); }

void ReadOut::Stop()
{
    stopped_ = true;
    waiter_.Stop();
    player_.Stop();
}

void ReadOut::Read(const QString &text, QString (*clipOf)(char32_t))
{
    if (stopped_) {
        return;
    }
    QStringList clips;
    for (const char32_t character : text.toUcs4()) {
        clips << clipOf(character);
    }
    next_ = std::move(clips);
    if (reading_) {
        // Called from inside a pause of the running read-out, which gives way after it.
        return;
    }
    reading_ = true;
    while (next_ && !stopped_) {
        const QStringList current = *std::exchange(next_, std::nullopt);
        // Gives the clip played just before, normally the equals clip, time to be heard.
        waiter_.Pause(rate_());
        for (const QString &clip : current) {
            if (stopped_ || next_) {
                break;
            }
            if (!clip.isEmpty()) {
                player_.Play(clip);
            }
            waiter_.Pause(rate_());
        }
    }
    reading_ = false;
}

}  // namespace tallimo
