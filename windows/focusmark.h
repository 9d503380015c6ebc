// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

namespace tallimo {

// A ring around the control that has the keyboard focus in a window, shown once the focus has
// moved there by keyboard (Tab, Shift+Tab), as a style shows its focus frame. A style's own
// frame is often too pale to see on a coloured panel; the ring is black or white, whichever
// stands out more from what it covers, so that it reads at 3:1 or better against the panel
// colour the user chose and against a light or dark desktop palette alike. It stands just
// outside the control, or on its edge where the window ends there.
class FocusMark final : public QWidget {
    Q_OBJECT

public:
    // Made once for the window, as its child.
    explicit FocusMark(QWidget &window);

    static constexpr int RingWidth = 2;

    // The control the ring stands around now; none while it is hidden.
    QWidget *Marked() const { return isVisible() ? control_.data() : nullptr; }
    QColor Colour() const { return colour_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void FocusChanged(QWidget *now);
    void Follow();

    QWidget &window_;
    QPointer<QWidget> control_;
    QColor colour_;
    int width_ = RingWidth;
};

}  // namespace tallimo
