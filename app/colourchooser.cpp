#include "colourchooser.h"

#include <QColorDialog>

namespace tallimo {

std::optional<QColor> ChooseColourInDialog(QWidget *parent, const QColor &start)
{
    const QColor chosen = QColorDialog::getColor(start, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

}  // namespace tallimo
