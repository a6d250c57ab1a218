// Asking again until a condition holds, for tests of work that finishes on threads of its own.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace testfs {

/// Asks every step until the condition holds; false after limit. A generous bound, not a measure of
/// speed.
inline bool eventually(const std::function<bool()>& condition,
                       std::chrono::milliseconds step = std::chrono::milliseconds(50),
                       std::chrono::milliseconds limit = std::chrono::seconds(15))
{
    for (auto until = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < until;
         std::this_thread::sleep_for(step)) {
        if (condition())
            return true;
    }
    return false;
}

}  // namespace testfs
