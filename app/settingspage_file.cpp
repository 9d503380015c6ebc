// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings read once while the window is created and written in full by the exit procedure.
// They are kept in the page's values, for the page may not be made yet at either time.

#include <QApplication>

#include <algorithm>
#include <utility>

#include "app/settingspage.h"
#include "common/keptsheet.h"

namespace tallimo {

namespace {

// Shows a colour read from the file, unless it leaves the control as it is, and keeps it with
// what the control shows afterwards.
template <typename Show, typename Shown>
std::optional<KeptColour> ApplyColour(const std::optional<Colour> &colour, Show show, Shown shown)
{
    if (!colour)
        return std::nullopt;
    if (const auto look = ShownColour(*colour, QApplication::palette()))
        show(*look);
    return KeptColour{*colour, shown()};
}

}  // namespace

void SettingsPage::LoadSettings()
{
    const SettingsFolders folders = seams_.settingsFolders();
    values_.keepSheet = LoadKeepSheet(folders);
    const CalcFormReading reading = LoadCalcForm(folders);
    if (!reading.apply)
        return;
    const CalcFormSettings &settings = reading.settings;

    window_.MoveOnAScreen(QPoint(settings.left, settings.top));
    static_cast<CalcFormSettings &>(values_) = settings;
    // Numbers out of range read as the nearest end, as their boxes would show them.
    for (const NumberBox &entry : NumberBoxes()) {
        int &value = values_.*entry.value;
        value = std::clamp(value, entry.range.minimum, entry.range.maximum);
    }
    window_.SetStayOnTop(values_.onTop);
    // Fast reading and the voice switch follow the voice.
    CheckBox2Click();
    window_.ShowSidePanel(settings.sidePanel);
    window_.ShowSheetScrollBars(values_.scrollBars);

    keptFontColour_ = ApplyColour(
        settings.fontColour,
        [this](const QColor &colour) { window_.SetSheetColour(QPalette::Text, colour); },
        [this] { return window_.SheetColour(QPalette::Text); });
    keptSheetColour_ = ApplyColour(
        settings.sheetColour,
        [this](const QColor &colour) { window_.SetSheetColour(QPalette::Base, colour); },
        [this] { return window_.SheetColour(QPalette::Base); });
    keptBackColour_ = ApplyColour(
        settings.backColour, [this](const QColor &colour) { window_.SetBackColour(colour); },
        [this] { return window_.BackColour(); });

    // The decimals go back as the box shows them, once the window shows.
    numberToWriteBack_ = values_.decimals;
}

// Start-up shows no message: should the file be out of reach, the save at exit tells the user.
void SettingsPage::WriteNumberBack()
{
    if (const std::optional<int> number = std::exchange(numberToWriteBack_, std::nullopt))
        SaveNumber(seams_.settingsFolders(), *number);
}

SettingsFile::SaveResult SettingsPage::SaveSettings() const
{
    CalcFormSettings settings = values_;
    const QPoint position = window_.Position();
    settings.top = position.y();
    settings.left = position.x();
    settings.sidePanel = window_.SidePanelShown();
    settings.backColour = SavedColour(window_.BackColour(), keptBackColour_);
    settings.sheetColour = SavedColour(window_.SheetColour(QPalette::Base), keptSheetColour_);
    settings.fontColour = SavedColour(window_.SheetColour(QPalette::Text), keptFontColour_);
    return SaveCalcForm(seams_.settingsFolders(), settings);
}

}  // namespace tallimo
