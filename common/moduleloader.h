// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's modules (the sound, the web page window) are shared libraries in the folder that
// ModuleFolder names, opened on first use so that the program starts without their libraries. A module
// stays loaded for the rest of the run: the objects it makes run its code.

#include <QString>
#include <QtGlobal>

namespace tallimo {

// Opens the module `name` (without prefix or suffix) in `folder` and returns its exported
// function `entry`, or null when the module or the function is missing or cannot be loaded; the
// reason is then written to stderr.
QFunctionPointer ResolveModuleEntry(const QString &folder, const QString &name, const char *entry);

}  // namespace tallimo
