// The about and help windows, shown modally over the main window.

#include "app/calcform.h"
#include "windows/about.h"
#include "windows/calchelp.h"

namespace tallimo {

void TCalcForm::SpeedButton42Click() { f_about.Get()->exec(); }

void TCalcForm::SpeedButton46Click() { f_calchelp.Get()->exec(); }

}  // namespace tallimo
