// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/calendardateedit.h"

#include <QCalendarWidget>
#include <QLocale>

namespace tallimo {

// Every way to open the popup passes through a mouse press or a key press in the field.
void CalendarDateEdit::mousePressEvent(QMouseEvent *event)
{
    MakeCalendar();
    QDateEdit::mousePressEvent(event);
}

void CalendarDateEdit::keyPressEvent(QKeyEvent *event)
{
    MakeCalendar();
    QDateEdit::keyPressEvent(event);
}

void CalendarDateEdit::MakeCalendar()
{
    if (calendarMade_ || !calendarPopup())
        return;
    calendarMade_ = true;
    calendarWidget()->setLocale(QLocale(QLocale::Chinese, QLocale::China));
}

}  // namespace tallimo
