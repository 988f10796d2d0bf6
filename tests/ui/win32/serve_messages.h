#pragma once
// Serves the thread's window messages, timers too, until the condition holds; false when it has
// not held within the limit, so that a fault never leaves a test waiting.

#include <windows.h>

#include <chrono>
#include <functional>

namespace tessik::test {

inline bool ServeUntil(const std::function<bool()>& condition,
                       std::chrono::seconds limit = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(1);
    }
    return true;
}

}  // namespace tessik::test
