#include "calcformseams.h"

#include <QApplication>
#include <QMessageBox>

namespace tallimo {

void ShowModalMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tallimo"), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

}  // namespace tallimo
