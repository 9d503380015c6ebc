// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

class QObject;

namespace tallimo {

// What is wrong with the names of a window's controls: each of `names` that names no object
// under `root` ("SpeedButton6 missing"), and each that more than one object there carries or that
// the list holds twice ("Memo1 doubled"). Empty when every name is there once. Names that Qt gives
// the parts of its own widgets are not looked at.
QStringList NamingFaults(const QObject &root, const QStringList &names);

}  // namespace tallimo
