// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/linklabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace tallimo {

namespace {

class AccessibleLink : public QAccessibleWidget {
public:
    explicit AccessibleLink(LinkLabel *label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const LinkLabel *>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            static_cast<LinkLabel *>(widget())->Press();
    }
};

QAccessibleInterface *LinkInterface(const QString &, QObject *object)
{
    auto *label = qobject_cast<LinkLabel *>(object);
    return label && label->IsLink() ? new AccessibleLink(label) : nullptr;
}

}  // namespace

void LinkLabel::MakeLink()
{
    static const bool installed = [] {
        QAccessible::installFactory(LinkInterface);
        return true;
    }();
    Q_UNUSED(installed);
    link_ = true;
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    const bool press = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                       event->key() == Qt::Key_Space;
    if (link_ && press && event->modifiers() == Qt::NoModifier) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

}  // namespace tallimo
