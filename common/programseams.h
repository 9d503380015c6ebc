// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the program's windows do to the world outside it: the clock, modal messages, file
// dialogs, the system's browser and mail program, the memory figures, the sound, the settings
// folder and the end of the program. `main` fills one ProgramSeams with the real ones and hands
// it to every window; tests fill it with fakes so that nothing waits for a click, plays a sound
// or quits the test run. Only Qt Core types appear here, so the struct sits below every window.

#include <QDateTime>
#include <QString>
#include <QUrl>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <optional>

#include "common/papersheet.h"
#include "common/settingslocation.h"

namespace tallimo {

class ClipPlayer;
class Waiter;

// The machine's memory, in bytes.
struct MemoryFigures {
    quint64 totalBytes = 0;
    quint64 availableBytes = 0;
};

struct ProgramSeams {
    // The local date and time.
    std::function<QDateTime()> now;
    // A modal message box with an OK button, captioned with the program's name.
    std::function<void(const QString &text)> showMessage;
    // A modal question with the buttons 是 and 否, captioned with the program's name; true for 是.
    std::function<bool(const QString &question)> askYesNo;
    // The open-file and save-file dialogs with a filter in Qt's form ("文本文件 (*.txt)"); the
    // chosen path, or an empty text when the user cancels. The save dialog asks nothing about an
    // existing file: the window asks about the file it will write.
    std::function<QString(const QString &filter)> chooseOpenFile;
    std::function<QString(const QString &filter)> chooseSaveFile;
    // The colour dialog opening on a colour (as 0xAARRGGBB); nothing when the user cancels.
    std::function<std::optional<quint32>(quint32 start)> chooseColour;
    // Opens a web or "mailto:" address with the system's default program; false when the
    // desktop has no program to hand it to.
    std::function<bool(const QUrl &address)> openAddress;
    std::function<MemoryFigures()> memoryFigures;
    // The player of the spoken clips, made on the first clip so that the sound system never
    // holds up the start.
    std::function<std::unique_ptr<ClipPlayer>()> makeClipPlayer;
    // The waits between the clips of a read-out.
    std::function<std::unique_ptr<Waiter>()> makeWaiter;
    // The print dialog (captioned 打印), then the sheet printed on the printer chosen there;
    // nothing when it printed or the user cancelled, else the reason it could not print.
    std::function<std::optional<QString>(const PaperSheet &sheet)> printSheet;
    // The folders where the settings file is looked for and saved.
    std::function<SettingsFolders()> settingsFolders;
    // Ends the program's event loop.
    std::function<void()> quit;
};

}  // namespace tallimo
