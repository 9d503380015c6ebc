// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "common/programseams.h"

namespace tallimo {

// The machine's physical memory and the part of it that programs can still have without
// swapping, as the operating system reports them; zero where it reports nothing.
MemoryFigures SystemMemoryFigures();

}  // namespace tallimo
