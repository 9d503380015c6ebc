// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace tallimo {

// Prepares the application object for the windows: fonts that hold the glyphs, Qt's own texts in
// Chinese, and a life that ends only through the main window's exit procedure (the program lives
// on in the notification area while its windows are hidden). Call after creating the application.
void SetUpApplication();

}  // namespace tallimo
