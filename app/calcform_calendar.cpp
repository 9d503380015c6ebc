// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The calendar command: the perpetual calendar in the web page window.

#include "app/calcform.h"
#include "common/defaulterrorhandler.h"
#include "common/windowsdirectory.h"

namespace tallimo {

// A page that cannot be unpacked is reported and nothing opens.
void TCalcForm::SpeedButton43Click()
{
    RunHandler(seams_, [this] { webPages_.OpenCalendarPage(WindowsDirectory()); });
}

}  // namespace tallimo
