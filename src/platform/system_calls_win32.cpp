#include "platform/system_calls.h"

#include <windows.h>

namespace tessik {

SystemCalls systemCalls = {
    [](const wchar_t* path, unsigned long access, unsigned long share, unsigned long disposition,
       unsigned long flags) {
        return static_cast<void*>(
            ::CreateFileW(path, access, share, nullptr, disposition, flags, nullptr));
    },
    [](void* file, void* buffer, unsigned long count, unsigned long* done) -> int {
        return ::ReadFile(file, buffer, count, done, nullptr);
    },
    [](void* file, const void* buffer, unsigned long count, unsigned long* done) -> int {
        return ::WriteFile(file, buffer, count, done, nullptr);
    },
    [](void* file) -> int { return ::FlushFileBuffers(file); },
    [](const wchar_t* from, const wchar_t* to, unsigned long flags) -> int {
        return ::MoveFileExW(from, to, flags);
    },
    [](const wchar_t* replaced, const wchar_t* replacement) -> int {
        return ::ReplaceFileW(replaced, replacement, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                              nullptr, nullptr);
    },
    [](const wchar_t* existing, const wchar_t* name) -> int {
        return ::CreateHardLinkW(name, existing, nullptr);
    },
    [](const wchar_t* path) -> int { return ::CreateDirectoryW(path, nullptr); },
    [](const wchar_t* pattern, _WIN32_FIND_DATAW* first) -> void* {
        return ::FindFirstFileW(pattern, first);
    },
    [](void* search, _WIN32_FIND_DATAW* next) -> int { return ::FindNextFileW(search, next); },
    [](void* file, std::uint64_t offset, std::size_t length) -> void* {
        // The view keeps the mapping alive, so its handle can go at once.
        HANDLE mapping = ::CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (mapping == nullptr) return nullptr;
        void* view = ::MapViewOfFile(mapping, FILE_MAP_READ, static_cast<DWORD>(offset >> 32),
                                     static_cast<DWORD>(offset), length);
        const DWORD error = ::GetLastError();
        ::CloseHandle(mapping);
        ::SetLastError(error);
        return view;
    },
    [](void* file, std::uint64_t offset, void* buffer, unsigned long count,
       unsigned long* done) -> int {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        return ::ReadFile(file, buffer, count, done, &at);
    },
};

}  // namespace tessik
