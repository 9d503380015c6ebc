// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "common/colourtext.h"
#include "common/settingsfile.h"
#include "common/settingslocation.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace tallimo {

// The main window's settings, kept in the section [calcform] of the settings file. The fields
// carry the window's names; the one table of the keys (calcformsettings.cpp) gives each field its
// key in the file, what a missing or unreadable key reads as, and what a first start shows.
struct CalcFormSettings {
    int top = 0;
    int left = 0;
    bool onTop = false;
    bool voice = false;
    bool fastReading = false;
    bool money = false;
    bool scrollBars = false;
    bool showDate = false;
    bool sidePanel = false;
    // Nothing when the key is missing, empty or neither a colour name nor a number: the control
    // keeps its colour. A spoilt colour spoils only its own key.
    std::optional<Colour> backColour;
    std::optional<Colour> sheetColour;
    std::optional<Colour> fontColour;
    int fontSize = 0;
    int decimals = 0;
    int rate = 0;
};

// The window's state at a first start, which an exit without changes writes.
CalcFormSettings FirstStartSettings();

struct CalcFormReading {
    // The section is applied only when it holds the key iTop, whatever its value; otherwise the
    // window keeps its first-start settings.
    bool apply = false;
    CalcFormSettings settings;
};

CalcFormReading ReadCalcForm(const SettingsFile &file);
CalcFormReading LoadCalcForm(const SettingsFolders &folders);

// Writes the fifteen keys, spelt as the file spells them and, where new, in the file's order.
void WriteCalcForm(SettingsFile &file, const CalcFormSettings &settings);

// The window's whole section at exit, and the decimals on their own right after a load, when the
// window has brought them into range.
SettingsFile::SaveResult SaveCalcForm(const SettingsFolders &folders,
                                      const CalcFormSettings &settings);
SettingsFile::SaveResult SaveNumber(const SettingsFolders &folders, int number);

// Where the window goes for the position of the keys iLeft and iTop: there while any part of a
// window of that size would lie on one of the screens, otherwise at its first position, since a
// monitor may have gone since. Safe for any integers the file holds.
QPoint PlaceOnAScreen(const QPoint &saved, const QSize &size, const QList<QRect> &screens,
                      const QPoint &first);

}  // namespace tallimo
