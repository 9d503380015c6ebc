#pragma once

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "app/voice/clipplayerloader.h"
#include "colourchooser.h"
#include "common/pause.h"
#include "common/settingslocation.h"

namespace tallimo {

// Shows a modal message box with an OK button, captioned with the program's name.
void ShowModalMessage(const QString &text);

// What the main window does to the world outside it. The program runs with the defaults; tests
// replace them so that nothing quits the test run and no modal box waits for a click.
struct CalcFormSeams {
    std::function<void()> quit = [] { QCoreApplication::quit(); };
    std::function<void(const QString &)> showMessage = ShowModalMessage;
    // The folders where the settings file is looked for and saved.
    std::function<SettingsFolders()> settingsFolders = DefaultSettingsFolders;
    // The colour chooser of the settings page; nothing when the user cancels.
    std::function<std::optional<QColor>(QWidget *parent, const QColor &start)> chooseColour =
        ChooseColourInDialog;
    // The player of the spoken clips, made when the first clip is played, so that setting up the
    // sound system never holds up the window.
    std::function<std::unique_ptr<ClipPlayer>()> makeClipPlayer = [] {
        return LoadClipPlayer(QCoreApplication::applicationDirPath());
    };
    // The waits between the clips of a read-out.
    std::function<std::unique_ptr<Waiter>()> makeWaiter = [] {
        return std::make_unique<EventLoopWaiter>();
    };
};

}  // namespace tallimo
