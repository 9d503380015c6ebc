// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Where the program finds its modules and keeps its settings. An installed program sits in the
// prefix's bin/ with its modules in the private folder the build names relative to bin/; a
// program run from its build folder or from a portable folder has its modules beside itself.

#include <QString>

namespace tallimo {

// True when the private module folder lies where an installed program has it, relative to the
// executable's folder `executableFolder`.
bool RunsFromInstalledPrefix(const QString &executableFolder);

// The folder that holds the program's modules.
QString ModuleFolder(const QString &executableFolder);

}  // namespace tallimo
