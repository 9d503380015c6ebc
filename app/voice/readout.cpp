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
    // Gives the clip played just before, normally the equals clip, time to be heard.
    waiter_.Pause(rate_());
    for (const char32_t character : text.toUcs4()) {
        if (stopped_) {
            return;
        }
        const QString clip = clipOf(character);
        if (!clip.isEmpty()) {
            player_.Play(clip);
        }
        waiter_.Pause(rate_());
    }
}

}  // namespace tallimo
