// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/cctab.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>

namespace tallimo {

TCcTab::TCcTab(QWidget *parent) : QWidget(parent), form_(parent->window())
{
    hide();
    setEnabled(false);
    // Keys that the focused control leaves alone travel up its parents to the window, and the
    // window's filters see them there.
    form_->installEventFilter(this);
}

bool TCcTab::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != form_ || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    const QWidget *focused = form_->focusWidget();
    if (qobject_cast<const QAbstractButton *>(focused) && !qobject_cast<const QCheckBox *>(focused))
        return false;
    if (!enterAsTab_)
        return false;
    // The window moves the focus as for a Tab key with the modifiers held now.
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, key->modifiers() & ~Qt::KeypadModifier);
    QCoreApplication::sendEvent(form_, &tab);
    return true;
}

}  // namespace tallimo
