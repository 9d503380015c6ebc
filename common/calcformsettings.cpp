// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/calcformsettings.h"

#include <algorithm>
#include <type_traits>

namespace tallimo {

namespace {

const QString Section = QStringLiteral("calcform");

// The keys in the file's order; reading and writing both walk this list.
template <typename Settings, typename Visit>
void ForEachKey(Settings &settings, Visit visit)
{
    visit(QStringLiteral("iTop"), settings.iTop);
    visit(QStringLiteral("iLeft"), settings.iLeft);
    visit(QStringLiteral("ontop"), settings.ontop);
    visit(QStringLiteral("voice"), settings.voice);
    visit(QStringLiteral("readnum"), settings.readnum);
    visit(QStringLiteral("daxie"), settings.daxie);
    visit(QStringLiteral("scrollBars"), settings.scrollBars);
    visit(QStringLiteral("showdate"), settings.showdate);
    visit(QStringLiteral("panel1"), settings.panel1);
    visit(QStringLiteral("backcolor"), settings.backcolor);
    visit(QStringLiteral("memocolor"), settings.memocolor);
    visit(QStringLiteral("fontcolor"), settings.fontcolor);
    visit(QStringLiteral("fontsize"), settings.fontsize);
    visit(QStringLiteral("number"), settings.number);
    visit(QStringLiteral("rate"), settings.rate);
}

template <typename T>
using Plain = std::remove_cv_t<std::remove_reference_t<T>>;

}  // namespace

CalcFormSettings FormDefaults()
{
    CalcFormSettings settings;
    settings.iTop = 128;
    settings.iLeft = 200;
    settings.ontop = false;
    settings.voice = true;
    settings.readnum = false;
    settings.backcolor = TextToColour(QStringLiteral("clMoneyGreen"));
    settings.memocolor = TextToColour(QStringLiteral("clTeal"));
    settings.fontcolor = TextToColour(QStringLiteral("clWhite"));
    settings.fontsize = 16;
    return settings;
}

CalcFormReading ReadCalcForm(const SettingsFile &file)
{
    CalcFormReading reading;
    reading.apply = file.Text(Section, QStringLiteral("iTop")).has_value();
    ForEachKey(reading.settings, [&file](const QString &key, auto &field) {
        using Field = Plain<decltype(field)>;
        if constexpr (std::is_same_v<Field, bool>) {
            field = file.Boolean(Section, key).value_or(field);
        } else if constexpr (std::is_same_v<Field, int>) {
            field = file.Integer(Section, key).value_or(field);
        } else {
            const auto text = file.Text(Section, key);
            field = text ? TextToColour(*text) : std::nullopt;
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
    ForEachKey(settings, [&file](const QString &key, const auto &field) {
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
