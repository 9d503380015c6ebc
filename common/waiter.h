// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

class QEventLoop;

namespace tallimo {

// The waits between the clips of a read-out keep the program live: a pause runs a nested event
// loop until its time has passed, so typed keys and timers are handled inside it. A pause whose
// time runs out while a nested one is still waiting returns as soon as the nested one has returned.
class Waiter {
public:
    virtual ~Waiter() = default;

    // Handles events until the milliseconds have passed; zero or less handles the pending events
    // once.
    virtual void Pause(int milliseconds) = 0;

    // Ends every pause now waiting, the nested ones and those they interrupted alike.
    virtual void Stop() = 0;
};

class EventLoopWaiter final : public Waiter {
public:
    void Pause(int milliseconds) override;
    void Stop() override;

private:
    std::vector<QEventLoop *> waiting_;
};

}  // namespace tallimo
