// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <mutex>

namespace kavo {

/// Lets background work act on behalf of an object only while it lives.
/// The owner calls end() in its destructor; after end() returns, no action
/// started through runIfAlive() is still running and none will start.
class LifetimeGuard {
public:
    LifetimeGuard() : state_(std::make_shared<State>()) {}

    /// Runs `action` unless the owner has ended; true when it ran.
    template <typename Action> bool runIfAlive(Action&& action) const
    {
        const std::lock_guard lock(state_->mutex);
        if (!state_->alive) return false;
        action();
        return true;
    }

    void end() const
    {
        const std::lock_guard lock(state_->mutex);
        state_->alive = false;
    }

private:
    struct State {
        std::mutex mutex;
        bool alive = true;
    };
    std::shared_ptr<State> state_; // copies share it, so workers can outlive the owner
};

} // namespace kavo
