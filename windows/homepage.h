// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace tallimo {

// The program's home page: the about window's link and the web page window's home button.
inline constexpr char HomePageAddress[] = "https://tallimo.example.org/";

}  // namespace tallimo
