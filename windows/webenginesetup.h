// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace tallimo {

// Readies the process for the web engine just before the engine's module is loaded, so that the
// program pays nothing for the engine until the first web page:
// - the engine draws in OpenGL contexts that share with one program-wide context, which Qt makes
//   only for a program that asked for it before start-up (and then at every start); it is made
//   here instead;
// - the engine's sandbox refuses to run for the superuser, and the program never switches it
//   off: for the superuser the engine runs only where whoever started the program switched the
//   sandbox off (QTWEBENGINE_DISABLE_SANDBOX), else the pages open in the system's browser;
// - the engine speaks Chinese in its own texts, such as the page it shows for a site it cannot
//   reach;
// - the engine exposes its pages to assistive tools while one is active.
// False where the engine cannot run. Needs the application object.
bool PrepareWebEngine();

}  // namespace tallimo
