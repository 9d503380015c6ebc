// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The handlers of the settings page and the looks they change. None of them writes the settings
// file: the exit procedure saves what the page holds then.

#include <QGroupBox>
#include <QLabel>
#include <QTimer>

#include "app/calcform.h"
#include "app/formstyle.h"
#include "common/dateline.h"

namespace tallimo {

namespace {

// The window's fonts are sized in pixels for a screen of 96 dots per inch; the settings count
// the sheet's font in points.
int PointsToPixels(int points) { return qRound(points * 96 / 72.0); }

int PixelsToPoints(int pixels) { return qRound(pixels * 72 / 96.0); }

}  // namespace

int TCalcForm::Decimals() const { return pageSettings_.decimals; }

bool TCalcForm::MoneyMode() const { return pageSettings_.money; }

bool TCalcForm::VoiceOn() const { return pageSettings_.voice; }

bool TCalcForm::FastReading() const { return pageSettings_.fastReading; }

int TCalcForm::SpeechRate() const { return pageSettings_.rate; }

void TCalcForm::SpeedButton35Click() { SetBackColour(ChosenColour(BackColour())); }

void TCalcForm::SpeedButton37Click()
{
    SetSheetColour(QPalette::Base, ChosenColour(SheetColour(QPalette::Base)));
}

void TCalcForm::SpeedButton36Click()
{
    SetSheetColour(QPalette::Text, ChosenColour(SheetColour(QPalette::Text)));
}

void TCalcForm::SpinEdit2Change() { SetSheetFontSize(pageSettings_.fontSize); }

void TCalcForm::CheckBox1Click() { SetStayOnTop(pageSettings_.onTop); }

void TCalcForm::CheckBox3Click() { ShowSheetScrollBars(pageSettings_.scrollBars); }

void TCalcForm::CheckBox6Click() { ShowDateLine(pageSettings_.showDate); }

QColor TCalcForm::ChosenColour(const QColor &start)
{
    const std::optional<quint32> chosen = seams_.chooseColour(start.rgba());
    return chosen ? QColor::fromRgba(*chosen) : start;
}

QColor TCalcForm::BackColour() const { return Panel3->palette().color(QPalette::Window); }

void TCalcForm::SetBackColour(const QColor &colour)
{
    const std::initializer_list<QWidget *> panels = {Panel7, Panel3,    Panel4,
                                                     Panel1, GroupBox1, GroupBox2};
    for (QWidget *panel : panels) {
        // The settings page, once made, takes its colour from the keypad page.
        if (panel)
            SetBackground(panel, colour);
    }
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

int TCalcForm::SheetFontSize() const { return PixelsToPoints(Memo1->font().pixelSize()); }

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
