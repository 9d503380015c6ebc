// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/calcform.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSessionManager>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "app/controlnames.h"
#include "app/formstyle.h"
#include "app/restingmemory.h"
#include "common/programfolders.h"
#include "common/programinfo.h"
#include "tools/tf_tools.h"
#include "windows/about.h"
#include "windows/calchelp.h"
#include "windows/modalwindow.h"
#include "windows/webpageloader.h"

namespace tallimo {

TCalcForm::TCalcForm(const ProgramSeams &seams, QWidget *parent)
    : QWidget(parent),
      seams_(seams),
      f_tools([this] {
          // The tools window's web shortcuts open their pages in the program's web page window.
          return std::make_unique<Tf_tools>(
              seams_, [this](const QUrl &address) { webPages_.OpenShortcut(address); }, regional_);
      }),
      f_about([this] { return std::make_unique<Tf_about>(seams_, this); }),
      f_calchelp([this] { return std::make_unique<Tf_calchelp>(this); }),
      webPages_(seams_, [] {
          return LoadWebPageWindow(ModuleFolder(QCoreApplication::applicationDirPath()));
      })
{
    CreateControls();
    CheckControlNames();
    FormCreate();
}

TCalcForm::~TCalcForm() = default;

void TCalcForm::OnClick(QToolButton *button, std::function<void()> action)
{
    connect(button, &QToolButton::clicked, this, [button, action = std::move(action)] {
        if (!BlockedByModalWindow(*button))
            action();
    });
}

void TCalcForm::SpeedButton44Click() { f_tools.Get()->ShowTools(); }

QStringList TCalcForm::TableControlNames()
{
    QStringList names;
    for (const ToolbarCommand &command : ToolbarCommands()) {
        for (const char *name : {command.button, command.item}) {
            if (name)
                names << QLatin1String(name);
        }
    }
    for (const KeypadKey &key : KeypadKeys())
        names << QLatin1String(key.name);
    return names;
}

QStringList TCalcForm::ControlNames() const
{
    return settingsPage_.Made() ? controlNames_ + SettingsPage::ControlNames() : controlNames_;
}

// A doubled name, or a row of a table without its control, is a fault of the program itself: it
// stops here rather than leave a control without its handler or a command without its control.
void TCalcForm::CheckControlNames() const
{
    QStringList faults =
        NamingFaults(*this, ControlNames()) + NamingFaults(*this, TableControlNames());
    faults.removeDuplicates();
    if (!faults.isEmpty())
        qFatal("The main window's controls are misnamed: %s", qPrintable(faults.join(", ")));
}

void TCalcForm::FormCreate()
{
    // The icons go up once the window is on screen: the first paint waits neither for the
    // notification area, reached over the session bus, nor for drawing the icon's vector image.
    QTimer::singleShot(0, this, [this] {
        if (exited_)
            return;
        const QIcon icon = ApplicationIcon();
        QApplication::setWindowIcon(icon);
        trayIcon_ = new QSystemTrayIcon(icon, this);
        trayIcon_->setObjectName(QStringLiteral("TrayIcon"));
        trayIcon_->setToolTip(QString::fromLatin1(ProgramName));
        // The tray opens its context menu on the right button only; other clicks do nothing.
        trayIcon_->setContextMenu(PopupMenu1);
        trayIcon_->show();
    });

    settingsPage_.LoadSettings();
    SetUpKeptSheet();
    Memo1->viewport()->installEventFilter(this);
    // The sheet gets its font once, at the size the settings give: each size it passes through
    // would cost the start a font of its own.
    SetSheetFontSize(settingsPage_.Values().fontSize);
    // The date line is there at once, on a first start as on any other.
    ShowDateLine(settingsPage_.Values().showDate);
    ConnectSheet();

    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &TCalcForm::SaveSessionSettings);
    // Anything else that stops the event loop ends the program like the exit button, so the
    // settings are saved whichever way the program ends.
    connect(qGuiApp, &QCoreApplication::aboutToQuit, this, &TCalcForm::ApplicationQuits);
}

void TCalcForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TCalcForm::FormShow()
{
    if (exited_)
        return;
    if (!tokens_)
        tokens_ = std::make_unique<TokenList>();
    // What the first paint does not show is made right after it.
    if (!settingsPage_.Made()) {
        QTimer::singleShot(0, this, [this] {
            if (!exited_)
                CreateSettingsPage();
        });
    }
    if (!f_tools.Made()) {
        QTimer::singleShot(0, this, [this] {
            if (!exited_)
                f_tools.Get();
        });
    }
    // The decimals read at start go back into the file once the window is up, not before.
    if (settingsPage_.OwesNumber()) {
        QTimer::singleShot(0, this, [this] {
            if (!exited_)
                settingsPage_.WriteNumberBack();
        });
    }
}

// What waits for the first paint follows it: the kept sheet, then, once the steps of the start
// queued before have run too, the memory only the start needed is handed back.
bool TCalcForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && watched == Memo1->viewport()) {
        Memo1->viewport()->removeEventFilter(this);
        if (std::exchange(restorePending_, false))
            QTimer::singleShot(0, this, &TCalcForm::RestoreKeptSheet);
        QTimer::singleShot(0, this, [this] {
            if (!exited_)
                HandBackStartMemory();
        });
    }
    return QWidget::eventFilter(watched, event);
}

// The close box asks for a close from outside the program; a quit closes the windows from inside,
// which after a log-off's save must not save again.
void TCalcForm::closeEvent(QCloseEvent *event)
{
    ExitProcedure(event->spontaneous() || !savedForSession_);
    event->accept();
}

void TCalcForm::SpeedButton45Click() { ExitProcedure(true); }

void TCalcForm::EndBySignal() { ExitProcedure(true, FailureReport::StandardError); }

void TCalcForm::ExitProcedure(bool save, FailureReport report)
{
    if (exited_)
        return;
    exited_ = true;
    StopVoice();
    tokens_.reset();
    bool saved = SaveKeptSheetNow(report == FailureReport::MessageBox);
    if (save)
        saved = SaveSettings(report) && saved;
    unseenExitFailure_ = !saved && report == FailureReport::StandardError;
    if (trayIcon_)
        trayIcon_->hide();
    seams_.quit();
}

int TCalcForm::ExitStatus() const { return unseenExitFailure_ ? EXIT_FAILURE : EXIT_SUCCESS; }

// The session manager asks before the session ends; the program goes on running until it is told
// to quit, and a message may only be shown where the manager allows it.
void TCalcForm::SaveSessionSettings(QSessionManager &manager)
{
    if (exited_)
        return;
    const bool mayAsk = manager.allowsInteraction();
    SaveKeptSheetNow(mayAsk);
    SaveSettings(mayAsk ? FailureReport::MessageBox : FailureReport::StandardError);
    if (mayAsk)
        manager.release();
    savedForSession_ = true;
}

// The quit that ends a session follows the save the session manager asked for.
void TCalcForm::ApplicationQuits() { ExitProcedure(!savedForSession_); }

void TCalcForm::N1Click()
{
    N1->setChecked(true);
    N2->setChecked(false);
    show();
}

void TCalcForm::BringToFront()
{
    if (exited_)
        return;
    N1Click();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void TCalcForm::N2Click()
{
    N1->setChecked(false);
    N2->setChecked(true);
    hide();
}

void TCalcForm::SpeedButton2Click() { ShowPage(SpeedButton2->isChecked()); }

void TCalcForm::SpeedButton4Click() { ShowPage(!SpeedButton4->isChecked()); }

void TCalcForm::CreateSettingsPage()
{
    if (settingsPage_.Made())
        return;
    settingsPage_.Make(Panel1);
    CheckControlNames();
}

void TCalcForm::ShowPage(bool keypad)
{
    CreateSettingsPage();
    GroupBox1->setVisible(keypad);
    settingsPage_.Show(!keypad);
}

bool TCalcForm::focusNextPrevChild(bool next)
{
    QList<QWidget *> order{Memo1, SpeedButton2, SpeedButton4};
    order << settingsPage_.TabOrder() << Edit4 << Edit5 << Edit2;
    for (const ToolbarCommand &command : ToolbarCommands()) {
        if (command.button)
            order << ToolBar1->findChild<QToolButton *>(QLatin1String(command.button));
    }

    const QWidget *current = focusWidget();
    const auto at = std::find_if(order.cbegin(), order.cend(), [current](const QWidget *widget) {
        return widget == current || widget->isAncestorOf(current);
    });
    if (at == order.cend())
        return QWidget::focusNextPrevChild(next);
    const qsizetype count = order.size();
    const qsizetype from = at - order.cbegin();
    for (qsizetype step = 1; step < count; ++step) {
        QWidget *candidate = order[(from + (next ? step : count - step)) % count];
        if (candidate->isVisible() && candidate->isEnabled() &&
            (candidate->focusPolicy() & Qt::TabFocus)) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            break;
        }
    }
    return true;
}

void TCalcForm::SpeedButton48Click() { Panel1->setHidden(!Panel1->isHidden()); }

}  // namespace tallimo
