// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The world outside the program as every window test sees it: a clock that stands still until a
// test moves it, messages, questions and opened addresses collected instead of shown, file
// dialogs and questions answered by the test, fixed memory figures, a player that only notes the
// clips (on its own thread, as the window plays them: wait for them with QTRY_COMPARE), a print
// dialog that keeps the sheets it is given, real waits, the settings file in a temporary folder of
// the test's own, and quits counted instead of done.

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>
#include <optional>

#include "common/programseams.h"
#include "common/waiter.h"
#include "tests/support/heardclips.h"

namespace tallimo {

struct FakeWorld {
    QDateTime clock{QDate(2026, 12, 10), QTime(9, 30, 0)};
    QStringList messages;
    // The questions asked, and the answer each one gets.
    QStringList questions;
    bool yesAnswer = false;
    QList<QUrl> openedAddresses;
    bool browserAvailable = true;
    // What the next file dialogs answer (an empty text cancels) and the filters they were shown.
    QString openFileAnswer;
    QString saveFileAnswer;
    QStringList fileFilters;
    std::optional<quint32> colourAnswer;
    MemoryFigures memory{8ull << 30, 6ull << 30};
    HeardClips clips;
    // The sheets handed to the print dialog, and what printing answers.
    QList<PaperSheet> printed;
    std::optional<QString> printFailure;
    int quits = 0;
    QTemporaryDir settingsFolder;

    ProgramSeams Seams()
    {
        ProgramSeams seams;
        seams.now = [this] { return clock; };
        seams.showMessage = [this](const QString &text) { messages << text; };
        seams.askYesNo = [this](const QString &question) {
            questions << question;
            return yesAnswer;
        };
        seams.chooseOpenFile = [this](const QString &filter) {
            fileFilters << filter;
            return openFileAnswer;
        };
        seams.chooseSaveFile = [this](const QString &filter) {
            fileFilters << filter;
            return saveFileAnswer;
        };
        seams.chooseColour = [this](quint32) { return colourAnswer; };
        seams.openAddress = [this](const QUrl &address) {
            openedAddresses << address;
            return browserAvailable;
        };
        seams.memoryFigures = [this] { return memory; };
        seams.makeClipPlayer = [this] { return std::make_unique<HeardClips::Player>(clips); };
        seams.makeWaiter = [] { return std::make_unique<EventLoopWaiter>(); };
        seams.printSheet = [this](const PaperSheet &sheet) {
            printed << sheet;
            return printFailure;
        };
        seams.settingsFolders = [this] {
            return SettingsFolders{settingsFolder.path(), settingsFolder.path()};
        };
        seams.quit = [this] { ++quits; };
        return seams;
    }
};

}  // namespace tallimo
