// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace tallimo {

// A secondary window of the main window: made by its maker on first use and kept, hidden when
// closed, until its owner goes. A maker that cannot make the window (a module that does not
// load) returns null, and the window is not asked for again.
template <typename Window>
class OwnedWindow {
public:
    using Maker = std::function<std::unique_ptr<Window>()>;

    explicit OwnedWindow(Maker maker) : maker_(std::move(maker)) {}

    // The window, made now if it is not yet; null when it cannot be made.
    Window *Get()
    {
        if (!tried_) {
            tried_ = true;
            window_ = maker_();
        }
        return window_.get();
    }

    bool Made() const { return tried_; }

private:
    Maker maker_;
    std::unique_ptr<Window> window_;
    bool tried_ = false;
};

}  // namespace tallimo
