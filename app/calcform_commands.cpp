// Toolbar commands that open the program's other windows.

#include "calcform.h"
#include "common/windowsdirectory.h"
#include "engine/calcerror.h"

namespace tallimo {

// The perpetual calendar in the web page window. A page that cannot be unpacked is reported and
// nothing opens.
void TCalcForm::SpeedButton43Click()
{
    try {
        webPages_.OpenCalendarPage(WindowsDirectory());
    } catch (const CalcError &error) {
        seams_.showMessage(QString::fromStdString(error.what()));
    }
}

}  // namespace tallimo
