#include "calcform.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMenu>
#include <QSessionManager>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>

#include "formstyle.h"

namespace tallimo {

TCalcForm::TCalcForm(CalcFormSeams seams, QWidget *parent)
    : QWidget(parent), seams_(std::move(seams))
{
    CreateControls();
    FormCreate();
}

TCalcForm::~TCalcForm() = default;

void TCalcForm::FormCreate()
{
    trayIcon_ = new QSystemTrayIcon(ApplicationIcon(), this);
    trayIcon_->setObjectName(QStringLiteral("TrayIcon"));
    trayIcon_->setToolTip(QStringLiteral("Tallimo"));
    // The tray opens its context menu on the right button only; other clicks do nothing.
    trayIcon_->setContextMenu(PopupMenu1);
    // The icon goes up once the window is on screen; the first paint does not wait for it.
    QTimer::singleShot(0, this, [this] {
        if (!exited_)
            trayIcon_->show();
    });

    ConnectVoice();
    ConnectSettingsPage();
    LoadSettings();
    ConnectSheet();
    ConnectKeypad();

    connect(N1, &QAction::triggered, this, &TCalcForm::N1Click);
    connect(N2, &QAction::triggered, this, &TCalcForm::N2Click);
    connect(N3, &QAction::triggered, this, &TCalcForm::SpeedButton45Click);
    connect(SpeedButton45, &QToolButton::clicked, this, &TCalcForm::SpeedButton45Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TCalcForm::SpeedButton2Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TCalcForm::SpeedButton4Click);
    connect(SpeedButton48, &QToolButton::clicked, this, &TCalcForm::SpeedButton48Click);

    // Logging out ends the program like the close box; so does anything else that stops the
    // event loop, so the settings are saved whichever way the program ends.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &TCalcForm::SpeedButton45Click);
    connect(qGuiApp, &QCoreApplication::aboutToQuit, this, &TCalcForm::SpeedButton45Click);
}

void TCalcForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TCalcForm::FormShow()
{
    if (!tokens_ && !exited_)
        tokens_ = std::make_unique<TokenList>();
}

void TCalcForm::closeEvent(QCloseEvent *event)
{
    SpeedButton45Click();
    event->accept();
}

void TCalcForm::SpeedButton45Click()
{
    if (exited_)
        return;
    exited_ = true;
    StopVoice();
    tokens_.reset();
    SaveSettings();
    trayIcon_->hide();
    seams_.quit();
}

void TCalcForm::N1Click()
{
    N1->setChecked(true);
    N2->setChecked(false);
    show();
}

void TCalcForm::N2Click()
{
    N1->setChecked(false);
    N2->setChecked(true);
    hide();
}

void TCalcForm::SpeedButton2Click() { ShowPage(SpeedButton2->isChecked()); }

void TCalcForm::SpeedButton4Click() { ShowPage(!SpeedButton4->isChecked()); }

void TCalcForm::ShowPage(bool keypad)
{
    GroupBox1->setVisible(keypad);
    GroupBox2->setVisible(!keypad);
}

void TCalcForm::SpeedButton48Click() { Panel1->setHidden(!Panel1->isHidden()); }

}  // namespace tallimo
