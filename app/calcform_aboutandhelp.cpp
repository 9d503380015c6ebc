// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The about and help windows, shown modally over the main window.

#include "app/calcform.h"
#include "windows/about.h"
#include "windows/calchelp.h"
#include "windows/modalwindow.h"

namespace tallimo {

void TCalcForm::SpeedButton42Click() { ExecAboveBlockedWindows(*f_about.Get()); }

void TCalcForm::SpeedButton46Click() { ExecAboveBlockedWindows(*f_calchelp.Get()); }

}  // namespace tallimo
