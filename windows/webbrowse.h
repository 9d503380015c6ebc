// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QWidget>

#include <optional>

#include "windows/webpagewindow.h"

class QHideEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QVBoxLayout;
class QWebEngineView;

namespace tallimo {

// The web page window f_webbrowse: an address bar (stop, back, forward, home, the address), the
// page, and a status bar that follows the page's loading. Closing it hides it and ends its page,
// so that the web view's render process ends while the window is closed; the history stays for the
// next opening, which makes a new page on it.
class Tf_webbrowse final : public QWidget, public WebPageWindow {
    Q_OBJECT

public:
    explicit Tf_webbrowse(QWidget *parent = nullptr);

    void SetCaption(const QString &caption) override;
    void HideAddressBar() override;
    void HideAddressField() override;
    void Navigate(const QUrl &address) override;
    void Show() override;
    void ShowModal() override;

signals:
    void Hidden();

protected:
    bool event(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // The page and its view, made with the window and again on the first opening after a close,
    // on the history the last page left.
    void MakeBrowser();
    void EndPage();
    QWebEngineView *Browser();

    void Edit1KeyDown();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void WebBrowser1DownloadBegin();
    void WebBrowser1DownloadComplete();

    QWidget *Panel1;
    QPushButton *Button1;
    QPushButton *Button2;
    QPushButton *Button3;
    QPushButton *Button4;
    QLabel *Label1;
    QLineEdit *Edit1;
    QWebEngineView *WebBrowser1 = nullptr;
    QStatusBar *StatusBar1;
    QVBoxLayout *layout_;
    // The history of the ended page, for the next one.
    QByteArray keptHistory_;
    QLabel *statusPanel_;
    std::optional<Qt::WindowStates> stateForNewWindow_;
};

}  // namespace tallimo
