// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

namespace tallimo {

// A label that reports a click of the left button released over it, as the about window's links
// need. Made a link, it takes the focus by Tab, shows it with a focus frame, reports Enter and
// Space as a click, and is exposed to assistive tools as a link with a press action.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    void MakeLink();
    bool IsLink() const { return link_; }
    // What a click, a key or an assistive tool's press does.
    void Press() { emit clicked(); }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool link_ = false;
};

}  // namespace tallimo
