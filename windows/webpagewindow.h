// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's web page window as its callers see it. The window itself runs on Qt WebEngine
// and lives in the module tallimo_web, so this interface names no type of Qt WebEngine and the
// program that uses it does not link it.

#include <QString>
#include <QUrl>

namespace tallimo {

class WebPageWindow {
public:
    virtual ~WebPageWindow() = default;

    virtual void SetCaption(const QString &caption) = 0;
    // Hides the whole address bar: the stop, back, forward and home buttons with the address.
    virtual void HideAddressBar() = 0;
    // Hides only the address field and its label; the buttons stay.
    virtual void HideAddressField() = 0;
    // Loads a web address, a bare host name or a local file.
    virtual void Navigate(const QUrl &address) = 0;
    // Shows the window, maximised and on top, and returns at once.
    virtual void Show() = 0;
    // Shows the window and returns once the user has closed it; the rest of the program waits.
    // A window that is already open only comes to the front.
    virtual void ShowModal() = 0;
};

// The function the module exports to make the window; null when the web view cannot start.
inline constexpr char WebModuleName[] = "tallimo_web";
inline constexpr char WebModuleEntry[] = "tallimo_make_web_page_window";
using MakeWebPageWindow = WebPageWindow *(*)();

}  // namespace tallimo
