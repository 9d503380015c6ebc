#pragma once

#include <QString>

namespace tallimo {

// The perpetual calendar page compiled into the program.
inline constexpr char CalendarPageResource[] = ":/calendar/jpwnl.html";
inline constexpr char CalendarPageFileName[] = "jpwnl.html";

// Writes the calendar page byte for byte to "jpwnl.html" in `folder` (which ends in a
// separator) unless a file of that name is already there, which is used as it is. Returns the
// file's full path; a page that cannot be written raises CalcError and leaves no partial file.
QString UnpackCalendarPage(const QString &folder);

}  // namespace tallimo
