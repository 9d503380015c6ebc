// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProcess>

#include <array>
#include <memory>

namespace tallimo {

// A machine made busy for as long as this lives: two shell loops that never wait, one for each
// core of a small desktop, as a build or a browser keeps it.
class BusyMachine {
public:
    BusyMachine();
    ~BusyMachine();

    BusyMachine(const BusyMachine &) = delete;
    BusyMachine &operator=(const BusyMachine &) = delete;

private:
    std::array<std::unique_ptr<QProcess>, 2> loops_;
};

}  // namespace tallimo
