// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's side of the settings: the report of a failed save, and the looks that the settings
// page changes in the window.

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include <cstdio>

#include "app/calcform.h"
#include "app/formstyle.h"
#include "common/dateline.h"

namespace tallimo {

namespace {

// The window's fonts are sized in pixels for a screen of 96 dots per inch; the settings count
// the sheet's font in points.
int PointsToPixels(int points) { return qRound(points * 96 / 72.0); }

}  // namespace

bool TCalcForm::SaveSettings(FailureReport report)
{
    const SettingsFile::SaveResult result = settingsPage_.SaveSettings();
    if (result.saved)
        return true;
    const QString failure = SettingsSaveFailure(result);
    if (report == FailureReport::MessageBox)
        seams_.showMessage(failure);
    else
        std::fprintf(stderr, "%s\n", qPrintable(failure));
    return false;
}

QPoint TCalcForm::Position() const { return pos(); }

void TCalcForm::MoveOnAScreen(const QPoint &saved)
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->geometry();
    move(PlaceOnAScreen(saved, size(), screens, pos()));
}

bool TCalcForm::SidePanelShown() const { return !Panel1->isHidden(); }

void TCalcForm::ShowSidePanel(bool shown) { Panel1->setHidden(!shown); }

QColor TCalcForm::BackColour() const { return Panel3->palette().color(QPalette::Window); }

void TCalcForm::SetBackColour(const QColor &colour)
{
    for (QWidget *panel : {Panel7, Panel3, Panel4, Panel1, static_cast<QWidget *>(GroupBox1)})
        SetBackground(panel, colour);
    // The labels of the result bar keep their own text colours: the caret label stays blue.
    for (QWidget *label : {Label1, Label2, Label3})
        FillBackground(label, colour);
}

QColor TCalcForm::SheetColour(QPalette::ColorRole role) const
{
    return Memo1->palette().color(role);
}

void TCalcForm::SetSheetColour(QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = Memo1->palette();
    palette.setColor(role, colour);
    Memo1->setPalette(palette);
}

void TCalcForm::SetSheetFontSize(int points) { Memo1->setFont(ArialFont(PointsToPixels(points))); }

// A change of the window's flags takes the window off the screen and may lose its place: it
// comes back where it was, and only if it was showing.
void TCalcForm::SetStayOnTop(bool on)
{
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
        return;
    const QPoint place = pos();
    const bool showing = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    move(place);
    if (showing)
        show();
}

void TCalcForm::ShowSheetScrollBars(bool on)
{
    const Qt::ScrollBarPolicy policy = on ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    Memo1->setHorizontalScrollBarPolicy(policy);
    Memo1->setVerticalScrollBarPolicy(policy);
}

void TCalcForm::ShowDateLine(bool on)
{
    if (on) {
        // The line is there at once, not only on the first tick.
        Timer2Timer();
        Timer2->start();
    } else {
        Timer2->stop();
    }
    Label4->setVisible(on);
}

void TCalcForm::Timer2Timer() { Label4->setText(DateLineText(seams_.now())); }

}  // namespace tallimo
