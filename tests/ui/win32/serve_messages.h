#pragma once
// Serves the test thread's messages, the windows' timers too, until a condition holds or 20
// seconds have gone: false then, so that a window that never gets there fails its test.

#include <windows.h>

#include <chrono>
#include <functional>

namespace tessik::test {

inline bool ServeUntil(const std::function<bool()>& condition) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
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
