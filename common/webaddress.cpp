// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/webaddress.h"

namespace tallimo {

QUrl NavigableAddress(const QUrl &address)
{
    if (!address.scheme().isEmpty())
        return address;
    return QUrl::fromUserInput(address.toString());
}

}  // namespace tallimo
