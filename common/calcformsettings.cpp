// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/calcformsettings.h"

#include <algorithm>
#include <type_traits>

namespace tallimo {

namespace {

const QString Section = QStringLiteral("calcform");

std::optional<Colour> Named(const char *name) { return TextToColour(QLatin1String(name)); }

const std::optional<Colour> Unset;

// Each key in the file's order: its name in the file, the field that holds it, what it reads as
// when missing or unreadable, and what a first start shows. Reading, writing and both sets of
// defaults walk this one table.
// clang-format off
template <typename Settings, typename Visit>
void ForEachKey(Settings &settings, Visit visit)
{
    //    key            field                 missing  first start
    visit("iTop",        settings.top,         0,       128);
    visit("iLeft",       settings.left,        0,       200);
    visit("ontop",       settings.onTop,       true,    false);
    visit("voice",       settings.voice,       false,   true);
    visit("readnum",     settings.fastReading, true,    false);
    visit("daxie",       settings.money,       false,   false);
    visit("scrollBars",  settings.scrollBars,  false,   false);
    visit("showdate",    settings.showDate,    true,    true);
    visit("panel1",      settings.sidePanel,   true,    true);
    visit("backcolor",   settings.backColour,  Unset,   Named("clMoneyGreen"));
    visit("memocolor",   settings.sheetColour, Unset,   Named("clTeal"));
    visit("fontcolor",   settings.fontColour,  Unset,   Named("clWhite"));
    visit("fontsize",    settings.fontSize,    10,      16);
    visit("number",      settings.decimals,    2,       2);
    visit("rate",        settings.rate,        280,     280);
}
// clang-format on

template <typename T>
using Plain = std::remove_cv_t<std::remove_reference_t<T>>;

}  // namespace

CalcFormSettings FirstStartSettings()
{
    CalcFormSettings settings;
    ForEachKey(settings, [](const char *, auto &field, const auto &, const auto &firstStart) {
        field = firstStart;
    });
    return settings;
}

CalcFormReading ReadCalcForm(const SettingsFile &file)
{
    CalcFormReading reading;
    reading.apply = file.Text(Section, QStringLiteral("iTop")).has_value();
    ForEachKey(reading.settings,
               [&file](const char *name, auto &field, const auto &missing, const auto &) {
                   const QString key = QLatin1String(name);
                   using Field = Plain<decltype(field)>;
                   if constexpr (std::is_same_v<Field, bool>) {
                       field = file.Boolean(Section, key).value_or(missing);
                   } else if constexpr (std::is_same_v<Field, int>) {
                       field = file.Integer(Section, key).value_or(missing);
                   } else {
                       const auto text = file.Text(Section, key);
                       field = text ? TextToColour(*text) : missing;
                   }
               });
    return reading;
}

CalcFormReading LoadCalcForm(const SettingsFolders &folders)
{
    return ReadCalcForm(SettingsFile::Load(SettingsReadPath(folders)));
}

void WriteCalcForm(SettingsFile &file, const CalcFormSettings &settings)
{
    ForEachKey(settings, [&file](const char *name, const auto &field, const auto &, const auto &) {
        const QString key = QLatin1String(name);
        using Field = Plain<decltype(field)>;
        if constexpr (std::is_same_v<Field, bool>) {
            file.SetBoolean(Section, key, field);
        } else if constexpr (std::is_same_v<Field, int>) {
            file.SetInteger(Section, key, field);
        } else {
            file.SetText(Section, key, field ? ColourToText(*field) : QString());
        }
    });
}

SettingsFile::SaveResult SaveCalcForm(const SettingsFolders &folders,
                                      const CalcFormSettings &settings)
{
    SettingsFile file = SettingsFile::Load(SettingsReadPath(folders));
    WriteCalcForm(file, settings);
    return file.Save(SettingsWritePath(folders));
}

SettingsFile::SaveResult SaveNumber(const SettingsFolders &folders, int number)
{
    SettingsFile file = SettingsFile::Load(SettingsReadPath(folders));
    file.SetInteger(Section, QStringLiteral("number"), number);
    return file.Save(SettingsWritePath(folders));
}

QPoint PlaceOnAScreen(const QPoint &saved, const QSize &size, const QList<QRect> &screens,
                      const QPoint &first)
{
    // In 64 bits: a position near the limits of int plus the window's size overflows int.
    const qint64 left = saved.x();
    const qint64 top = saved.y();
    const qint64 right = left + std::max(size.width(), 1);
    const qint64 bottom = top + std::max(size.height(), 1);
    const bool seen = std::any_of(screens.begin(), screens.end(), [&](const QRect &screen) {
        const qint64 screenRight = qint64(screen.x()) + screen.width();
        const qint64 screenBottom = qint64(screen.y()) + screen.height();
        return left < screenRight && screen.x() < right && top < screenBottom &&
               screen.y() < bottom;
    });
    return seen ? saved : first;
}

}  // namespace tallimo
