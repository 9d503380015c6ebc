// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/desktopcentring.h"

#include <QApplication>
#include <QEvent>
#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace tallimo {

namespace {

// The frame the window manager has put around the window; none before it has framed it.
QMargins FrameOf(const QWidget &window)
{
    const QWindow *handle = window.windowHandle();
    return handle && window.isVisible() ? handle->frameMargins() : QMargins();
}

// The frame of a window the manager has framed already: a window shown for the first time is
// most likely framed alike.
QMargins FrameOfAnotherWindow(const QWidget &window)
{
    for (const QWidget *other : QApplication::topLevelWidgets()) {
        const QMargins frame = other != &window ? FrameOf(*other) : QMargins();
        if (!frame.isNull())
            return frame;
    }
    return {};
}

class Centring : public QObject {
public:
    explicit Centring(QWidget &window) : QObject(&window), window_(window)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            if (!event->spontaneous()) {
                if (frame_.isNull())
                    frame_ = FrameOfAnotherWindow(window_);
                Centre();
                placing_ = true;
            }
            break;
        // The manager's frame is known by the time the window is first painted in it.
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Paint:
            if (placing_)
                CorrectForFrame();
            break;
        case QEvent::Hide:
            placing_ = false;
            break;
        default:
            break;
        }
        return false;
    }

private:
    // The window is placed by its client area, which the manager leaves where it is asked to
    // be: a move places the frame only where Qt knows the window's frame already.
    void Centre()
    {
        const QScreen *screen = window_.screen();
        if (!screen)
            return;
        QRect frame(QPoint(), window_.size().grownBy(frame_));
        frame.moveCenter(screen->availableGeometry().center());
        window_.setGeometry(frame.marginsRemoved(frame_));
    }

    void CorrectForFrame()
    {
        const QMargins frame = FrameOf(window_);
        if (frame.isNull())
            return;
        placing_ = false;
        if (frame != frame_) {
            frame_ = frame;
            Centre();
        }
    }

    QWidget &window_;
    QMargins frame_;
    bool placing_ = false;
};

}  // namespace

void CentreOnEveryShowing(QWidget &window) { new Centring(window); }

}  // namespace tallimo
