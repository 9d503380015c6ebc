// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QUrl>

namespace tallimo {

// An address as a browser takes it: a bare host name ("ip138.com") becomes a web address and a
// local path a file address; an address with a scheme stays as it is.
QUrl NavigableAddress(const QUrl &address);

}  // namespace tallimo
