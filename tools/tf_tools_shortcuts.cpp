// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The web shortcuts: each button opens one lookup page in the program's web page window.

#include "tools/tf_tools.h"

namespace tallimo {

namespace {

// Beijing's forecast.
const QString WeatherAddress = QStringLiteral("https://www.weather.com.cn/weather/101010100.shtml");
const QString ParcelAddress = QStringLiteral("https://www.kuaidi100.com/");
const QString SpeedTestAddress = QStringLiteral("https://www.speedtest.cn/");
// One site looks up both IP addresses and mobile numbers; typed as into an address bar.
const QString LocationAddress = QStringLiteral("www.ip138.com");
const QString PortalToolsAddress = QStringLiteral("https://tools.2345.com/");
const QString PortalDirectoryAddress = QStringLiteral("https://www.2345.com/");

}  // namespace

void Tf_tools::Button2Click() { OpenShortcut(LocationAddress); }

void Tf_tools::Button3Click() { OpenShortcut(LocationAddress); }

void Tf_tools::Button4Click() { OpenShortcut(ParcelAddress); }

void Tf_tools::Button5Click() { OpenShortcut(WeatherAddress); }

void Tf_tools::Button6Click() { OpenShortcut(SpeedTestAddress); }

// The two portal buttons are hidden; should one be shown, a failure to open its page stays
// silent.
void Tf_tools::Button8Click()
{
    try {
        OpenShortcut(PortalToolsAddress);
    } catch (const std::exception &) {
    }
}

void Tf_tools::Button9Click()
{
    try {
        OpenShortcut(PortalDirectoryAddress);
    } catch (const std::exception &) {
    }
}

void Tf_tools::OpenShortcut(const QString &address) { openWebPage_(QUrl::fromUserInput(address)); }

}  // namespace tallimo
