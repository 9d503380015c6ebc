// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/webbrowse.h"

#include <QDataStream>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWindow>

#include <utility>

#include "common/webaddress.h"
#include "windows/homepage.h"

namespace tallimo {

namespace {

const QString HomePage = QString::fromLatin1(HomePageAddress);
const QString Loading = QStringLiteral("Finding Site...");
const QString Loaded = QStringLiteral("Done.");

// A link that asks for a new window opens in this one: the program has one web page window.
class WebBrowserView final : public QWebEngineView {
public:
    using QWebEngineView::QWebEngineView;

protected:
    QWebEngineView *createWindow(QWebEnginePage::WebWindowType) override { return this; }
};

struct ButtonFacts {
    const char *name;
    const char *caption;
    void (Tf_webbrowse::*click)();
    QPushButton *Tf_webbrowse::*member;
};

}  // namespace

Tf_webbrowse::Tf_webbrowse(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("f_webbrowse"));
    setWindowTitle(QStringLiteral("网页浏览器"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    resize(708, 542);
    setWindowState(Qt::WindowMaximized);
    // Escape closes the window, as it closes the about and help windows, wherever its focus is:
    // in the page, on a button, or on no control at all, as when the window has just opened.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(38);
    // A narrow window cuts the bar off at its right end instead of growing wider than 708.
    Panel1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    auto *bar = new QHBoxLayout(Panel1);
    bar->setContentsMargins(4, 4, 4, 4);

    const ButtonFacts buttons[] = {
        {"Button1", "停止", &Tf_webbrowse::Button1Click, &Tf_webbrowse::Button1},
        {"Button2", "后退", &Tf_webbrowse::Button2Click, &Tf_webbrowse::Button2},
        {"Button3", "向前", &Tf_webbrowse::Button3Click, &Tf_webbrowse::Button3},
        {"Button4", "主页", &Tf_webbrowse::Button4Click, &Tf_webbrowse::Button4},
    };
    for (const ButtonFacts &facts : buttons) {
        auto *button = new QPushButton(QString::fromUtf8(facts.caption), Panel1);
        button->setObjectName(QString::fromLatin1(facts.name));
        connect(button, &QPushButton::clicked, this, facts.click);
        bar->addWidget(button);
        this->*facts.member = button;
    }

    Label1 = new QLabel(QStringLiteral("地址"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    bar->addWidget(Label1);
    Edit1 = new QLineEdit(HomePage, Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFixedWidth(450);
    connect(Edit1, &QLineEdit::returnPressed, this, &Tf_webbrowse::Edit1KeyDown);
    bar->addWidget(Edit1);
    bar->addStretch();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    statusPanel_ = new QLabel(Loaded, StatusBar1);
    StatusBar1->addWidget(statusPanel_, 1);

    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->addWidget(Panel1);
    layout_->addWidget(StatusBar1);
    MakeBrowser();
}

void Tf_webbrowse::MakeBrowser()
{
    WebBrowser1 = new WebBrowserView(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    // A page from the disk, such as the calendar, runs its scripts but reaches neither other
    // files nor the network: a page left in the data folder cannot read the user's files.
    QWebEngineSettings *settings = WebBrowser1->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    connect(WebBrowser1, &QWebEngineView::loadStarted, this,
            &Tf_webbrowse::WebBrowser1DownloadBegin);
    connect(WebBrowser1, &QWebEngineView::loadFinished, this,
            &Tf_webbrowse::WebBrowser1DownloadComplete);
    layout_->insertWidget(1, WebBrowser1, 1);
    if (!keptHistory_.isEmpty()) {
        QDataStream history(keptHistory_);
        history >> *WebBrowser1->history();
        keptHistory_.clear();
    }
}

// The view goes with its page: the page's render process ends once no page uses it. The view is
// taken out of the window at once and deleted once the event that closed the window is done.
void Tf_webbrowse::EndPage()
{
    if (!WebBrowser1)
        return;
    QDataStream history(&keptHistory_, QIODevice::WriteOnly);
    history << *WebBrowser1->history();
    QWebEngineView *ended = std::exchange(WebBrowser1, nullptr);
    ended->disconnect(this);
    layout_->removeWidget(ended);
    ended->setParent(nullptr);
    ended->deleteLater();
    // A load the end cut short is a stopped download.
    WebBrowser1DownloadComplete();
}

QWebEngineView *Tf_webbrowse::Browser()
{
    if (!WebBrowser1)
        MakeBrowser();
    return WebBrowser1;
}

void Tf_webbrowse::SetCaption(const QString &caption) { setWindowTitle(caption); }

void Tf_webbrowse::HideAddressBar() { Panel1->hide(); }

void Tf_webbrowse::HideAddressField()
{
    Label1->hide();
    Edit1->hide();
}

void Tf_webbrowse::Navigate(const QUrl &address) { Browser()->load(NavigableAddress(address)); }

void Tf_webbrowse::Show()
{
    Browser();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void Tf_webbrowse::ShowModal()
{
    // Open already (a shortcut opened it): making a shown window modal is not possible, so it
    // only comes to the front with its new page.
    if (isVisible()) {
        Show();
        return;
    }
    setWindowModality(Qt::ApplicationModal);
    QEventLoop untilClosed;
    connect(this, &Tf_webbrowse::Hidden, &untilClosed, &QEventLoop::quit);
    Show();
    untilClosed.exec();
    setWindowModality(Qt::NonModal);
}

// The page's view draws through the graphics card, and once it is in place Qt replaces the
// window's native window with one that can show it; the new native window would start in the
// normal state. The state the window had goes over to the new one.
bool Tf_webbrowse::event(QEvent *event)
{
    if (event->type() == QEvent::WinIdChange) {
        if (internalWinId() == 0) {
            stateForNewWindow_ = windowState();
        } else if (stateForNewWindow_) {
            if (QWindow *native = windowHandle())
                native->setWindowStates(*stateForNewWindow_);
            stateForNewWindow_.reset();
        }
    }
    return QWidget::event(event);
}

void Tf_webbrowse::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // A minimised window is hidden too, but only closing ends the page and a modal showing.
    if (!event->spontaneous()) {
        EndPage();
        emit Hidden();
    }
}

void Tf_webbrowse::Edit1KeyDown()
{
    const QUrl address = QUrl::fromUserInput(Edit1->text());
    if (!address.isValid())
        return;
    Browser()->load(address);
    setWindowTitle(Edit1->text());
    statusPanel_->setText(Loading);
}

void Tf_webbrowse::Button1Click() { Browser()->stop(); }

// With no page in that direction the view does nothing, as the buttons should.
void Tf_webbrowse::Button2Click() { Browser()->back(); }

void Tf_webbrowse::Button3Click() { Browser()->forward(); }

void Tf_webbrowse::Button4Click() { Browser()->load(QUrl(HomePage)); }

void Tf_webbrowse::WebBrowser1DownloadBegin() { statusPanel_->setText(Loading); }

void Tf_webbrowse::WebBrowser1DownloadComplete() { statusPanel_->setText(Loaded); }

}  // namespace tallimo
