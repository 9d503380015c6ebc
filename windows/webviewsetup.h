// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace tallimo {

// Readies the process for the web view just before the web module is loaded, so that the
// program pays nothing for Qt WebEngine until the first web page:
// - the web view draws in OpenGL contexts that share with one program-wide context, which Qt
//   makes only for a program that asked for it before start-up (and then at every start); it is
//   made here instead;
// - the web view's sandbox refuses to run for the superuser, and the program never switches it
//   off: for the superuser the web view runs only where whoever started the program switched the
//   sandbox off (QTWEBENGINE_DISABLE_SANDBOX), else the pages open in the system's browser;
// - the web view speaks Chinese in its own texts, such as the page it shows for a site it cannot
//   reach;
// - the web view exposes its pages to assistive tools while one is active.
// False where the web view cannot run. Needs the application object.
bool PrepareWebView();

}  // namespace tallimo
