// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// TCcTab (CcTab): an invisible control that makes Enter move the focus like Tab throughout the
// window it sits in (Shift+Enter goes back), except on a push button or radio button, where
// Enter keeps its own meaning and presses the button. Enter reaches it when the focused control
// has not taken the key itself; it then goes no further.

#include <QWidget>

namespace tallimo {

class TCcTab : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool EnterAsTab READ EnterAsTab WRITE SetEnterAsTab)

public:
    // The parent must already sit in its window: the control watches that window's keys.
    explicit TCcTab(QWidget *parent);

    bool EnterAsTab() const { return enterAsTab_; }
    void SetEnterAsTab(bool on) { enterAsTab_ = on; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *form_;
    bool enterAsTab_ = true;
};

}  // namespace tallimo
