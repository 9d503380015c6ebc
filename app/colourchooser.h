#pragma once

#include <QColor>

#include <optional>

class QWidget;

namespace tallimo {

// The platform's colour chooser, opening with the starting colour; nothing when the user
// cancels.
std::optional<QColor> ChooseColourInDialog(QWidget *parent, const QColor &start);

}  // namespace tallimo
