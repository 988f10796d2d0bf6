#pragma once
// Scripts for the modal window a window opens next, run on the thread's own message loop once
// that window is shown: in the tests, and in the gallery, which fills a window for a screenshot.

#include <windows.h>

#include <functional>
#include <utility>

namespace tessik::test {

namespace modal_script {
inline std::function<void(HWND)> script;
inline HWND owner = nullptr;
inline bool cancelAfter = false;

inline BOOL CALLBACK FindShown(HWND candidate, LPARAM found) {
    if (candidate != owner && IsWindowVisible(candidate)) {
        *reinterpret_cast<HWND*>(found) = candidate;
        return FALSE;
    }
    return TRUE;
}

inline void CALLBACK Run(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND modal = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindShown, reinterpret_cast<LPARAM>(&modal));
    if (modal == nullptr) return;
    KillTimer(nullptr, timer);
    script(modal);
    if (cancelAfter && IsWindowVisible(modal)) SendMessageW(modal, WM_COMMAND, IDCANCEL, 0);
}
}  // namespace modal_script

// Runs the script on the first window other than the owner that the thread shows next.
inline void WhenShown(HWND owner, std::function<void(HWND)> script, bool cancelAfter = false) {
    modal_script::owner = owner;
    modal_script::script = std::move(script);
    modal_script::cancelAfter = cancelAfter;
    SetTimer(nullptr, 0, 10, modal_script::Run);
}

// The same for a test: a window the script leaves open is cancelled, so a failed expectation
// never leaves a test waiting.
inline void WhenModal(HWND owner, std::function<void(HWND)> script) {
    WhenShown(owner, std::move(script), true);
}

}  // namespace tessik::test
