// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/webpageopener.h"

#include <QDir>

#include "common/webaddress.h"
#include "windows/calendarpage.h"

namespace tallimo {

WebPageOpener::WebPageOpener(const ProgramSeams &seams, MakeWindow makeWindow)
    : seams_(seams), makeWindow_(std::move(makeWindow))
{
}

WebPageWindow *WebPageOpener::Window()
{
    if (!window_)
        window_ = makeWindow_();
    return window_->get();
}

void WebPageOpener::OpenShortcut(const QUrl &address)
{
    WebPageWindow *window = Window();
    if (!window) {
        const QUrl page = NavigableAddress(address);
        if (!seams_.openAddress(page))
            seams_.showMessage(
                QStringLiteral("无法显示网页 %1：没有可以打开它的浏览器。").arg(page.toString()));
        return;
    }
    window->HideAddressField();
    window->Navigate(address);
    window->Show();
}

void WebPageOpener::OpenCalendarPage(const QString &folder)
{
    const QUrl page = QUrl::fromLocalFile(UnpackCalendarPage(folder));
    WebPageWindow *window = Window();
    if (!window) {
        if (!seams_.openAddress(page))
            seams_.showMessage(QStringLiteral("无法显示万年历：没有可以打开它的浏览器。页面文件在 %1")
                                   .arg(QDir::toNativeSeparators(page.toLocalFile())));
        return;
    }
    window->SetCaption(QStringLiteral("万年历"));
    window->HideAddressBar();
    window->Navigate(page);
    window->ShowModal();
}

}  // namespace tallimo
