// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The handlers of the settings page. None of them writes the window's section of the settings
// file: the exit procedure saves what the page holds then.

#include <QCheckBox>
#include <QGroupBox>

#include "app/formstyle.h"
#include "app/settingspage.h"

namespace tallimo {

QColor SettingsPage::ChosenColour(const QColor &start) const
{
    const std::optional<quint32> chosen = seams_.chooseColour(start.rgba());
    return chosen ? QColor::fromRgba(*chosen) : start;
}

void SettingsPage::SpeedButton35Click()
{
    const QColor colour = ChosenColour(window_.BackColour());
    window_.SetBackColour(colour);
    SetBackground(GroupBox2, colour);
}

void SettingsPage::SpeedButton37Click()
{
    window_.SetSheetColour(QPalette::Base, ChosenColour(window_.SheetColour(QPalette::Base)));
}

void SettingsPage::SpeedButton36Click()
{
    window_.SetSheetColour(QPalette::Text, ChosenColour(window_.SheetColour(QPalette::Text)));
}

void SettingsPage::SpinEdit2Change() { window_.SetSheetFontSize(values_.fontSize); }

void SettingsPage::CheckBox1Click() { window_.SetStayOnTop(values_.onTop); }

void SettingsPage::CheckBox2Click()
{
    const bool on = values_.voice;
    // Fast reading keeps its check mark while voice is off; nothing is read then anyway.
    fastReadingEnabled_ = on;
    if (CheckBox5)
        CheckBox5->setEnabled(on);
    window_.ShowVoiceSwitch(on);
}

void SettingsPage::CheckBox3Click() { window_.ShowSheetScrollBars(values_.scrollBars); }

void SettingsPage::CheckBox6Click() { window_.ShowDateLine(values_.showDate); }

void SettingsPage::CheckBox7Click() { window_.KeepSheetChanged(values_.keepSheet); }

void SettingsPage::SetVoice(bool on)
{
    if (CheckBox2) {
        // The box's handler follows.
        CheckBox2->setChecked(on);
    } else {
        values_.voice = on;
        CheckBox2Click();
    }
}

}  // namespace tallimo
