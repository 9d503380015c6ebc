#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace tallimo {

// A label that reports a click of the left button released over it, as the about window's
// links need.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            emit clicked();
        QLabel::mouseReleaseEvent(event);
    }
};

}  // namespace tallimo
