// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <limits>

namespace tallimo {

// Every computation of the engine runs in x87 extended precision (checked by platform.cmake).
using Value = long double;
static_assert(std::numeric_limits<Value>::digits == 64,
              "Value needs the 80-bit long double of GCC or Clang on x86, or of MinGW-w64");

}  // namespace tallimo
