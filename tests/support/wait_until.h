#pragma once
// Waits, without an event loop, until a condition set by another thread holds.

#include <chrono>
#include <thread>

namespace ruv::testing {

// False when the timeout passed first.
template <typename Condition>
bool waitUntil(Condition&& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace ruv::testing
