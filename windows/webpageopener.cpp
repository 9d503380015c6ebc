#include "windows/webpageopener.h"

#include "common/calendarpage.h"
#include "common/webaddress.h"

namespace tallimo {

WebPageOpener::WebPageOpener(const ProgramSeams &seams, MakeWindow makeWindow)
    : seams_(seams), makeWindow_(std::move(makeWindow))
{
}

WebPageOpener::~WebPageOpener() = default;

WebPageWindow *WebPageOpener::Window()
{
    if (!triedToMake_) {
        triedToMake_ = true;
        window_ = makeWindow_();
    }
    return window_.get();
}

void WebPageOpener::OpenShortcut(const QUrl &address)
{
    WebPageWindow *window = Window();
    if (!window) {
        seams_.openAddress(NavigableAddress(address));
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
        seams_.openAddress(page);
        return;
    }
    window->SetCaption(QStringLiteral("万年历"));
    window->HideAddressBar();
    window->Navigate(page);
    window->ShowModal();
}

}  // namespace tallimo
