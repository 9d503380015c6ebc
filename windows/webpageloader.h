// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <memory>

#include "windows/webpagewindow.h"

namespace tallimo {

// Opens the module tallimo_web in `folder` and makes the web page window; null when the module
// is missing or the web view cannot start there. Needs the application object.
std::unique_ptr<WebPageWindow> LoadWebPageWindow(const QString &folder);

}  // namespace tallimo
