// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The memory figures of the about window as the user reads them.

#include <QLocale>
#include <QString>

#include "common/programseams.h"

namespace tallimo {

// The total in whole KB, digits grouped with the locale's thousands separator, then " KB".
QString PhysicalMemoryText(quint64 totalBytes, const QLocale &locale);

// The share of memory in use, as a whole percentage: "37 %".
QString MemoryLoadText(const MemoryFigures &figures);

}  // namespace tallimo
