// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's position, options and colours kept in the settings file: read once while the
// window is created, written in full by the exit procedure. The options are kept for the
// settings page, which may not be made yet at either time.

#include <QApplication>
#include <QDir>
#include <QScreen>

#include <algorithm>
#include <cstdio>

#include "app/calcform.h"
#include "common/calcformsettings.h"

namespace tallimo {

namespace {

QPoint OnAScreen(const QPoint &saved, const QSize &size, const QPoint &first)
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->geometry();
    return PlaceOnAScreen(saved, size, screens, first);
}

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

TCalcForm::PageSettings TCalcForm::PageSettingsOf(const CalcFormSettings &settings)
{
    PageSettings page;
    page.onTop = settings.ontop;
    page.voice = settings.voice;
    page.fastReading = settings.readnum;
    page.money = settings.daxie;
    page.scrollBars = settings.scrollBars;
    page.showDate = settings.showdate;
    // Numbers out of range read as the nearest end, as their boxes would show them.
    page.decimals = std::clamp(settings.number, DecimalsRange.minimum, DecimalsRange.maximum);
    page.rate = std::clamp(settings.rate, RateRange.minimum, RateRange.maximum);
    page.fontSize = std::clamp(settings.fontsize, FontSizeRange.minimum, FontSizeRange.maximum);
    return page;
}

void TCalcForm::LoadSettings()
{
    const SettingsFolders folders = seams_.settingsFolders();
    const CalcFormReading reading = LoadCalcForm(folders);
    if (!reading.apply)
        return;
    const CalcFormSettings &settings = reading.settings;

    move(OnAScreen(QPoint(settings.iLeft, settings.iTop), size(), pos()));
    pageSettings_ = PageSettingsOf(settings);
    SetStayOnTop(pageSettings_.onTop);
    // Fast reading and the voice button follow the voice.
    CheckBox2Click();
    Panel1->setHidden(!settings.panel1);
    ShowSheetScrollBars(pageSettings_.scrollBars);

    keptFontColour_ = ApplyColour(
        settings.fontcolor,
        [this](const QColor &colour) { SetSheetColour(QPalette::Text, colour); },
        [this] { return SheetColour(QPalette::Text); });
    keptSheetColour_ = ApplyColour(
        settings.memocolor,
        [this](const QColor &colour) { SetSheetColour(QPalette::Base, colour); },
        [this] { return SheetColour(QPalette::Base); });
    keptBackColour_ = ApplyColour(
        settings.backcolor, [this](const QColor &colour) { SetBackColour(colour); },
        [this] { return BackColour(); });

    // The decimals go back as the box shows them, once the window shows.
    numberToWriteBack_ = pageSettings_.decimals;
}

// Start-up shows no message: should the file be out of reach, the save at exit tells the user.
void TCalcForm::WriteNumberBack(int number) { SaveNumber(seams_.settingsFolders(), number); }

bool TCalcForm::SaveSettings(FailureReport report)
{
    CalcFormSettings settings;
    settings.iTop = pos().y();
    settings.iLeft = pos().x();
    settings.ontop = pageSettings_.onTop;
    settings.voice = pageSettings_.voice;
    settings.readnum = pageSettings_.fastReading;
    settings.daxie = pageSettings_.money;
    settings.scrollBars = pageSettings_.scrollBars;
    settings.showdate = pageSettings_.showDate;
    settings.panel1 = !Panel1->isHidden();
    settings.backcolor = SavedColour(BackColour(), keptBackColour_);
    settings.memocolor = SavedColour(SheetColour(QPalette::Base), keptSheetColour_);
    settings.fontcolor = SavedColour(SheetColour(QPalette::Text), keptFontColour_);
    settings.fontsize = SheetFontSize();
    settings.number = pageSettings_.decimals;
    settings.rate = pageSettings_.rate;

    const SettingsFile::SaveResult result = SaveCalcForm(seams_.settingsFolders(), settings);
    if (result.saved)
        return true;
    const QString failure = SettingsSaveFailure(result);
    if (report == FailureReport::MessageBox)
        seams_.showMessage(failure);
    else
        std::fprintf(stderr, "%s\n", qPrintable(failure));
    return false;
}

}  // namespace tallimo
