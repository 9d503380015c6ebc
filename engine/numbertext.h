#pragma once

#include <QString>

#include "engine/regional.h"
#include "engine/value.h"

namespace tallimo {

// The text of a value as the sheet and the evaluator write it: 15 significant digits, rounded
// half up from the exact binary value, trailing zeros dropped; plain notation for magnitudes from
// 0.0001 up to below 10^15, otherwise d.dddE-n style ("1E-5", "9.87654321098765E15").
// The value must be finite.
QString NumberText(Value value, const RegionalSettings &regional);

}  // namespace tallimo
