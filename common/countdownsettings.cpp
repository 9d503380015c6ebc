// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/countdownsettings.h"

#include "common/dates.h"
#include "engine/texthelpers.h"

namespace tallimo {

namespace {

const QString Section = QStringLiteral("gaokao");
const QString DateKey = QStringLiteral("date");
const QString TimeKey = QStringLiteral("time");
const QString NameKey = QStringLiteral("name");
const QString DefaultName = QStringLiteral("高考");
const QTime DefaultStoredTime(8, 0);

// A text that makes no date, a day beyond the month's end among them, counts as today.
QDate StoredDate(const QString &text, QDate today, const RegionalSettings &regional)
{
    return ReadDateText(text, regional).value_or(today);
}

// The long time format, or hours and minutes alone, with one or two digits each.
QTime StoredTime(const QString &text)
{
    for (const QString &format : {QStringLiteral("H:m:s"), QStringLiteral("H:m")}) {
        const QTime time = QTime::fromString(text.trimmed(), format);
        if (time.isValid())
            return time;
    }
    return DefaultStoredTime;
}

}  // namespace

Countdown DefaultCountdown() { return {QDate(2013, 6, 7), QTime(0, 0), DefaultName}; }

std::optional<Countdown> ReadCountdown(const SettingsFile &file, QDate today,
                                       const RegionalSettings &regional)
{
    const std::optional<QString> date = file.Text(Section, DateKey);
    if (!date)
        return std::nullopt;
    const std::optional<QString> time = file.Text(Section, TimeKey);
    return Countdown{StoredDate(*date, today, regional),
                     time ? StoredTime(*time) : DefaultStoredTime,
                     file.Text(Section, NameKey).value_or(DefaultName)};
}

std::optional<Countdown> LoadCountdown(const SettingsFolders &folders, QDate today,
                                       const RegionalSettings &regional)
{
    return ReadCountdown(SettingsFile::Load(SettingsReadPath(folders)), today, regional);
}

SettingsFile::SaveResult SaveCountdown(const SettingsFolders &folders, const Countdown &countdown,
                                       const RegionalSettings &regional)
{
    SettingsFile file = SettingsFile::Load(SettingsReadPath(folders));
    file.SetText(Section, DateKey, countdown.date.toString(regional.shortDateFormat));
    file.SetText(Section, TimeKey, countdown.time.toString(regional.longTimeFormat));
    file.SetText(Section, NameKey, countdown.name);
    return file.Save(SettingsWritePath(folders));
}

QString CountdownText(const QString &name, qint64 hours)
{
    // Joined rather than formatted, so that a "%1" in the name stays as typed.
    return QStringLiteral("距") + TrimBlanks(name) + QLatin1Char(':') +
           QString::number(hours / 24) + QStringLiteral(" 天 ") + QString::number(hours % 24) +
           QStringLiteral(" 小时 ");
}

}  // namespace tallimo
