// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace tallimo {

// A secondary window of the main window: made by its maker on first use and kept, hidden when
// closed, until its owner goes. The maker always makes the window: a window that may fail to be
// made (one from a module) is no OwnedWindow.
template <typename Window>
class OwnedWindow {
public:
    using Maker = std::function<std::unique_ptr<Window>()>;

    explicit OwnedWindow(Maker maker) : maker_(std::move(maker)) {}

    // The window, made now if it is not yet; never null.
    Window *Get()
    {
        if (!window_)
            window_ = maker_();
        return window_.get();
    }

    bool Made() const { return window_ != nullptr; }

private:
    Maker maker_;
    std::unique_ptr<Window> window_;
};

}  // namespace tallimo
