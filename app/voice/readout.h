// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <QStringList>

#include <functional>
#include <optional>

#include "common/clipplayer.h"
#include "common/waiter.h"

namespace tallimo {

// Reads a text aloud one character at a time: a pause of the speech rate comes before the first
// character and after every character, and a character without a clip still takes its pause.
// The rate is asked for afresh at every pause, so a change applies from the next one. The pauses
// keep the program live, so a further read-out may be asked for during one of them: it never runs
// inside the waiting one, but takes its place once that pause is over, so however many lines are
// evaluated, one read-out runs at a time and at most one waits.
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
    // The clips of the read-out asked for last, an empty name for a character without one.
    std::optional<QStringList> next_;
    bool reading_ = false;
    bool stopped_ = false;
};

}  // namespace tallimo
