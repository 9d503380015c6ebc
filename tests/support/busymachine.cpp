// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/busymachine.h"

namespace tallimo {

BusyMachine::BusyMachine()
{
    for (auto &loop : loops_) {
        loop = std::make_unique<QProcess>();
        loop->start(QStringLiteral("sh"),
                    {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
        loop->waitForStarted();
    }
}

BusyMachine::~BusyMachine()
{
    for (auto &loop : loops_) {
        loop->kill();
        loop->waitForFinished();
    }
}

}  // namespace tallimo
