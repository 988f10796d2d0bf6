#include "platform/wide_path.h"

#include <windows.h>

#include <algorithm>

#include "platform/path_utilities.h"

namespace tessik {
namespace {

constexpr std::wstring_view kLongPathPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";

// The full path with backslashes only, as the long-path prefix requires: under it the system
// takes every character literally.
std::wstring LongPath(const std::wstring& path) {
    const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return path;
    full.resize(length);
    if (full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\")) return full;
    if (full.starts_with(L"\\\\")) return std::wstring(kLongUncPrefix) + full.substr(2);
    return std::wstring(kLongPathPrefix) + full;
}

}  // namespace

std::wstring WidePath(std::u16string_view path) {
    if (path.empty() || path.find(u'\0') != std::u16string_view::npos) return {};
    std::wstring wide(path.begin(), path.end());
    if (wide.size() < MAX_PATH - 12 || !IsAbsolutePath(path)) return wide;
    return LongPath(wide);
}

std::u16string FromWide(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

}  // namespace tessik
