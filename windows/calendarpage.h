// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "common/filereplace.h"

namespace tallimo {

// The perpetual calendar page compiled into the program.
inline constexpr char CalendarPageResource[] = ":/calendar/jpwnl.html";
inline constexpr char CalendarPageFileName[] = "jpwnl.html";

// Writes the calendar page byte for byte to "jpwnl.html" in `folder` (which ends in a
// separator) unless a regular file of that name is already there, which is used as it is.
// Returns the file's full path. Something else of that name (a link, a folder, a pipe, a device),
// or a page that cannot be written, raises CalcError; a failed write leaves no partial file.
QString UnpackCalendarPage(const QString &folder, const FileWrites &writes = SystemFileWrites());

}  // namespace tallimo
