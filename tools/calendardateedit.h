// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A date field with a calendar popup that names its months and weekdays in Chinese, whatever the
// system's locale. The popup's calendar is a large widget: it is made when the user first opens
// the popup, with the mouse or the keyboard, not with the field.

#include <QDateEdit>

namespace tallimo {

class CalendarDateEdit final : public QDateEdit {
    Q_OBJECT

public:
    using QDateEdit::QDateEdit;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void MakeCalendar();
    bool calendarMade_ = false;
};

}  // namespace tallimo
