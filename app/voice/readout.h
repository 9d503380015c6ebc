#pragma once

#include <QString>

#include <functional>

#include "common/clipplayer.h"
#include "common/pause.h"

namespace tallimo {

// Reads a text aloud one character at a time: a pause of the speech rate comes before the first
// character and after every character, and a character without a clip still takes its pause.
// The rate is asked for afresh at every pause, so a change applies from the next one. Because the
// pauses keep the program live, another read-out may run inside one of them; the interrupted
// read-out then goes on with its next character.
class ReadOut {
public:
    ReadOut(ClipPlayer &player, Waiter &waiter, std::function<int()> rate);

    // An uppercase numeral or money text, with or without a leading 负.
    void readstr(const QString &uppercaseText);

    // A plain number text, digit by digit: 1500 is read one, five, zero, zero.
    void read1(const QString &numberText);

    // Ends every read-out for good, the waiting ones included, and silences the clip playing, so
    // that the program can end in the middle of a read-out.
    void Stop();

private:
    void Read(const QString &text, QString (*clipOf)(char32_t));

    ClipPlayer &player_;
    Waiter &waiter_;
    std::function<int()> rate_;
    bool stopped_ = false;
};

}  // namespace tallimo
