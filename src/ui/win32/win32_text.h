#pragma once
// The core's UTF-16 texts as Windows' wide strings, which are UTF-16 as well.

#include <windows.h>

#include <string>
#include <string_view>

namespace tessik {

inline std::wstring ToWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

inline std::u16string FromWide(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

inline std::u16string WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return FromWide(text);
}

inline void SetWindowTextTo(HWND window, std::u16string_view text) {
    SetWindowTextW(window, ToWide(text).c_str());
}

}  // namespace tessik
