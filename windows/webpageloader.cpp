// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/webpageloader.h"

#include "common/moduleloader.h"
#include "windows/webviewsetup.h"

namespace tallimo {

std::unique_ptr<WebPageWindow> LoadWebPageWindow(const QString &folder)
{
    if (!PrepareWebView())
        return nullptr;
    const auto make = reinterpret_cast<MakeWebPageWindow>(
        ResolveModuleEntry(folder, QString::fromLatin1(WebModuleName), WebModuleEntry));
    if (!make)
        return nullptr;
    return std::unique_ptr<WebPageWindow>(make());
}

}  // namespace tallimo
