// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The countdown's section [gaokao] of the settings file: the target date in the short date
// format, the target time as the time field shows it and the event's name as typed.

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

#include "common/settingsfile.h"
#include "common/settingslocation.h"
#include "engine/regional.h"

namespace tallimo {

struct Countdown {
    QDate date;
    QTime time;
    QString name;
};

// The countdown a new program shows.
Countdown DefaultCountdown();

// Nothing when the section has no key date, whatever else it holds. A missing or unreadable
// time reads as 08:00:00 and a missing name as "高考". The date is read with either separator,
// whichever the regional settings use now; a date that no separator makes valid reads as today.
std::optional<Countdown> ReadCountdown(const SettingsFile &file, QDate today,
                                       const RegionalSettings &regional);
std::optional<Countdown> LoadCountdown(const SettingsFolders &folders, QDate today,
                                       const RegionalSettings &regional);

// Writes the three keys into the file as it is on disk now, keeping everything else in it.
SettingsFile::SaveResult SaveCountdown(const SettingsFolders &folders, const Countdown &countdown,
                                       const RegionalSettings &regional);

// "距" + the name without blanks around it + ":" + days + " 天 " + hours + " 小时 ", for a
// distance in whole hours.
QString CountdownText(const QString &name, qint64 hours);

}  // namespace tallimo
