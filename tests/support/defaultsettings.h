// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

namespace tallimo {

// The bytes of setinfo.ini as the first exit writes it: the main window's section with the
// first-start defaults, in the file's own order and line ends.
inline const QByteArray DefaultSettingsBytes =
    "[calcform]\r\n"
    "iTop=128\r\n"
    "iLeft=200\r\n"
    "ontop=0\r\n"
    "voice=1\r\n"
    "readnum=0\r\n"
    "daxie=0\r\n"
    "scrollBars=0\r\n"
    "showdate=1\r\n"
    "panel1=1\r\n"
    "backcolor=clMoneyGreen\r\n"
    "memocolor=clTeal\r\n"
    "fontcolor=clWhite\r\n"
    "fontsize=16\r\n"
    "number=2\r\n"
    "rate=280\r\n";

}  // namespace tallimo
