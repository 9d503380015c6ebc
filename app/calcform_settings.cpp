// The window's position, options and colours kept in the settings file. Until the file is read and
// written here, every control keeps its form default.

#include "calcform.h"

namespace tallimo {

void TCalcForm::LoadSettings() {}

void TCalcForm::SaveSettings() {}

}  // namespace tallimo
