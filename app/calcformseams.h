#pragma once

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <memory>

#include "app/voice/soundeffectplayer.h"
#include "common/pause.h"

namespace tallimo {

// Shows a modal message box with an OK button, captioned with the program's name.
void ShowModalMessage(const QString &text);

// What the main window does to the world outside it. The program runs with the defaults; tests
// replace them so that nothing quits the test run and no modal box waits for a click.
struct CalcFormSeams {
    std::function<void()> quit = [] { QCoreApplication::quit(); };
    std::function<void(const QString &)> showMessage = ShowModalMessage;
    // The player of the spoken clips, made when the first clip is played, so that setting up the
    // sound system never holds up the window.
    std::function<std::unique_ptr<ClipPlayer>()> makeClipPlayer = [] {
        return std::make_unique<SoundEffectPlayer>();
    };
    // The waits between the clips of a read-out.
    std::function<std::unique_ptr<Waiter>()> makeWaiter = [] {
        return std::make_unique<EventLoopWaiter>();
    };
};

}  // namespace tallimo
