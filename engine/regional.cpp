#include "regional.h"

#include <QLocale>

namespace tallimo {

RegionalSettings SystemRegionalSettings()
{
    RegionalSettings regional;
    const QString point = QLocale::system().decimalPoint();
    if (point.size() == 1)
        regional.decimalSeparator = point.front();
    return regional;
}

}  // namespace tallimo
