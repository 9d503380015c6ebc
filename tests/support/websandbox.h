// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The web view's sandbox refuses the superuser, and the program never switches it off; tests
// that run the web view switch it off themselves, before the application object exists.

#include <QtGlobal>

#include <unistd.h>

namespace tallimo {

inline void SwitchOffWebSandboxForTheSuperuser()
{
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

}  // namespace tallimo
