// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/focusmark.h"

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTabWidget>

#include <algorithm>
#include <cmath>

namespace tallimo {

namespace {

const QColor Black(0x00, 0x00, 0x00);
const QColor White(0xFF, 0xFF, 0xFF);
constexpr double LeastContrast = 3.0;

// The control a focus belongs to: the field inside a spin box or a date picker is the picker's.
QWidget *ControlOf(QWidget *focus)
{
    QWidget *control = focus;
    // A tab widget hands its focus to its tab bar, which is what has it.
    while (control->parentWidget() && !control->isWindow() &&
           control->parentWidget()->focusProxy() == control &&
           !qobject_cast<QTabWidget *>(control->parentWidget()))
        control = control->parentWidget();
    return control;
}

// Relative luminance and contrast ratio, as the accessibility guidelines define them.
double Luminance(QRgb pixel)
{
    auto channel = [](int value) {
        const double share = value / 255.0;
        return share <= 0.03928 ? share / 12.92 : std::pow((share + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(pixel)) + 0.7152 * channel(qGreen(pixel)) +
           0.0722 * channel(qBlue(pixel));
}

double Contrast(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }

// Black or white: the one that reads at the least contrast over more of what the ring covers.
QColor RingColour(const QImage &covered, int width)
{
    const int ring = qRound(width * covered.devicePixelRatio());
    const QRect inside = covered.rect().adjusted(ring, ring, -ring, -ring);
    int blackReads = 0;
    int whiteReads = 0;
    for (int y = 0; y < covered.height(); ++y) {
        for (int x = 0; x < covered.width(); ++x) {
            if (inside.contains(x, y))
                continue;
            const double ground = Luminance(covered.pixel(x, y));
            blackReads += Contrast(ground, 0.0) >= LeastContrast;
            whiteReads += Contrast(ground, 1.0) >= LeastContrast;
        }
    }
    return blackReads >= whiteReads ? Black : White;
}

}  // namespace

FocusMark::FocusMark(QWidget &window) : QWidget(&window), window_(window)
{
    setObjectName(QStringLiteral("FocusMark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { FocusChanged(now); });
}

void FocusMark::FocusChanged(QWidget *now)
{
    if (control_)
        control_->removeEventFilter(this);
    control_ = now && now->window() == &window_ && now != &window_ ? ControlOf(now) : nullptr;
    if (control_)
        control_->installEventFilter(this);
    Follow();
}

bool FocusMark::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        if (watched == control_)
            Follow();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void FocusMark::Follow()
{
    hide();
    if (!control_ || !control_->isVisible() || !window_.testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    const QRect place(control_->mapTo(&window_, QPoint(0, 0)), control_->size());
    const QRect outside = place.adjusted(-RingWidth, -RingWidth, RingWidth, RingWidth);
    // On the control's edge the ring is a pixel wider, so that it covers as much as outside.
    const bool fitsOutside = window_.rect().contains(outside);
    setGeometry(fitsOutside ? outside : place);
    width_ = fitsOutside ? RingWidth : RingWidth + 1;
    colour_ = RingColour(window_.grab(geometry()).toImage(), width_);
    show();
    raise();
}

void FocusMark::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QRegion ring(rect());
    ring -= QRegion(rect().adjusted(width_, width_, -width_, -width_));
    painter.setClipRegion(ring);
    painter.fillRect(rect(), colour_);
}

}  // namespace tallimo
