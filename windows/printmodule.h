// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Printing runs on Qt's print support, which lives in the module tallimo_print, so the program
// that prints neither links nor loads it before the first print.

#include <QString>

#include <optional>

#include "common/papersheet.h"

namespace tallimo {

inline constexpr char PrintModuleName[] = "tallimo_print";
inline constexpr char PrintModuleEntry[] = "tallimo_print_sheet";
// The module's entry: the print dialog, captioned 打印, then the sheet printed on the printer
// chosen there. `failure` stays empty when it printed or the user cancelled.
using PrintSheetEntry = void (*)(const PaperSheet &sheet, QString &failure);

// Prints the sheet through the module in `folder`: nothing when it printed or the user
// cancelled, else the reason it could not print, a missing module among them.
std::optional<QString> PrintThroughModule(const QString &folder, const PaperSheet &sheet);

}  // namespace tallimo
