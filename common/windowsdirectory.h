// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "common/filereplace.h"

namespace tallimo {

// The folder where the program keeps the files it unpacks for itself (the calendar page): the
// user's data folder of the program, created when missing, with a trailing separator. A system
// folder would not be writable for an ordinary user. The folders it makes in a home folder the
// program does not own get the home folder's owner (see MakeOwnFolder).
QString WindowsDirectory(const FileWrites &writes = SystemFileWrites());

}  // namespace tallimo
