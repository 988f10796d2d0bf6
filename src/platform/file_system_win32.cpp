#include "platform/file_system.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <mutex>
#include <random>
#include <vector>

#include "platform/path_encoding.h"
#include "platform/path_utilities.h"
#include "platform/system_calls.h"
#include "platform/wide_path.h"

namespace tessik {
namespace {

// Calls that fill a buffer and return the length they need when it is too short.
template <typename Fill>
std::wstring GrownText(Fill fill) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(std::max<std::size_t>(length + 1, buffer.size() * 2));
    }
}

// An environment variable that names an absolute folder, without trailing separators.
std::u16string EnvironmentFolder(const wchar_t* name) {
    std::u16string folder = FromWide(GrownText([name](wchar_t* buffer, DWORD size) {
        return ::GetEnvironmentVariableW(name, buffer, size);
    }));
    if (!IsAbsolutePath(folder)) return {};
    while (folder.size() > 3 && IsPathSeparator(folder.back())) folder.pop_back();
    return folder;
}

// What a temporary file's name adds to the name of the file it is to replace.
constexpr wchar_t kTemporaryMark[] = L".~";

WriteFailure FailureOf(DWORD error) {
    switch (error) {
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return WriteFailure::kPermissionDenied;
        case ERROR_WRITE_PROTECT:
            return WriteFailure::kReadOnly;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return WriteFailure::kNoSpace;
        // Only the file's creation meets these.
        case ERROR_PATH_NOT_FOUND:
        case ERROR_FILE_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_DIRECTORY:
        case ERROR_FILENAME_EXCED_RANGE:
            return WriteFailure::kCannotCreate;
        default:
            return WriteFailure::kIoError;
    }
}

// Creates a temporary file beside `target` under a random name, never one that exists: a file
// left by a killed run cannot block this one. Returns the open handle, or the invalid handle
// value with the cause in GetLastError().
HANDLE CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary) {
    static std::mutex guard;
    static std::mt19937_64 random = [] {
        std::random_device device;
        return std::mt19937_64((std::uint64_t{device()} << 32) ^ device() ^
                               ::GetCurrentProcessId());
    }();
    constexpr int kAttempts = 16;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::uint64_t suffix;
        {
            std::lock_guard lock(guard);
            suffix = random();
        }
        wchar_t hex[17];
        std::swprintf(hex, 17, L"%016llx", static_cast<unsigned long long>(suffix));
        temporary = target + kTemporaryMark + hex;
        HANDLE file = systemCalls.open(temporary.c_str(), GENERIC_WRITE, 0, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    constexpr std::size_t kLargestWrite = std::size_t{1} << 30;
    while (!bytes.empty()) {
        unsigned long written = 0;
        const auto asked = static_cast<unsigned long>(std::min(bytes.size(), kLargestWrite));
        if (!systemCalls.write(file, bytes.data(), asked, &written)) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// The complete temporary file takes the target's place. An old target moves to `keep` first
// when one is named, and comes back if the temporary cannot follow it; otherwise it is replaced
// in one step that keeps its attributes and security, as the old file's permissions are kept
// elsewhere.
WriteFailure MoveIntoPlace(const std::wstring& temporary, const std::wstring& target,
                           const std::wstring& keep) {
    constexpr DWORD kMove = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    const bool exists = ::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (exists && keep.empty()) {
        return systemCalls.replace(target.c_str(), temporary.c_str()) ? WriteFailure::kNone
                                                                      : FailureOf(::GetLastError());
    }
    const bool keptAside = exists && systemCalls.rename(target.c_str(), keep.c_str(), kMove);
    if (exists && !keptAside) return FailureOf(::GetLastError());
    if (systemCalls.rename(temporary.c_str(), target.c_str(), kMove)) return WriteFailure::kNone;
    const WriteFailure failure = FailureOf(::GetLastError());
    if (keptAside) systemCalls.rename(keep.c_str(), target.c_str(), kMove);
    return failure;
}

}  // namespace

PathKind QueryPathKind(const std::u16string& path) {
    const std::wstring native = WidePath(path);
    const DWORD attributes =
        native.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(native.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::kFolder : PathKind::kFile;
}

std::uint64_t RegularFileSize(const std::u16string& path) {
    const std::wstring native = WidePath(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (native.empty() || !::GetFileAttributesExW(native.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return 0;
    }
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool CreateDirectoryLevel(const std::u16string& path) {
    const std::wstring native = WidePath(path);
    return !native.empty() && systemCalls.mkdir(native.c_str());
}

std::u16string CurrentDirectory() {
    return FromWide(GrownText(
        [](wchar_t* buffer, DWORD size) { return ::GetCurrentDirectoryW(size, buffer); }));
}

std::u16string FullPath(const std::u16string& path) {
    // The system resolves what only it knows: a drive's own current folder ("D:x"), the current
    // drive of a rooted path ("\x"), a UNC server and share.
    const std::wstring native(path.begin(), path.end());
    if (native.find(L'\0') != std::wstring::npos) return {};
    if (native.empty()) {
        const std::u16string current = CurrentDirectory();
        return current.empty() || IsPathSeparator(current.back()) ? current
                                                                  : current + kPathSeparator;
    }
    return FromWide(GrownText([&native](wchar_t* buffer, DWORD size) {
        return ::GetFullPathNameW(native.c_str(), size, buffer, nullptr);
    }));
}

std::u16string ProgramPath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        // A name that does not fit comes back cut short, filling the whole buffer.
        if (length < buffer.size()) return FromWide(std::wstring_view(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

std::u16string UserAppDataFolder() {
    std::u16string folder = EnvironmentFolder(L"APPDATA");
    if (!folder.empty()) CreateDirectoryLevel(folder);
    return folder;
}

std::u16string MachineAppDataFolder() {
    return EnvironmentFolder(L"ProgramData");
}

LocalTime LocalTimeNow() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

WriteFailure ReplaceFileContents(const std::u16string& path, std::string_view bytes,
                                 const std::u16string& keepOldAs) {
    const std::wstring target = WidePath(path);
    const std::wstring keep = WidePath(keepOldAs);
    if (target.empty() || (keep.empty() && !keepOldAs.empty())) return WriteFailure::kIoError;
    std::wstring temporary;
    HANDLE file = CreateTemporaryBeside(target, temporary);
    if (file == INVALID_HANDLE_VALUE) return FailureOf(::GetLastError());
    WriteFailure failure =
        WriteAll(file, bytes) ? WriteFailure::kNone : FailureOf(::GetLastError());
    if (failure == WriteFailure::kNone && !systemCalls.fsync(file)) {
        failure = FailureOf(::GetLastError());
    }
    if (!::CloseHandle(file) && failure == WriteFailure::kNone) {
        failure = FailureOf(::GetLastError());
    }
    if (failure == WriteFailure::kNone) failure = MoveIntoPlace(temporary, target, keep);
    if (failure != WriteFailure::kNone) ::DeleteFileW(temporary.c_str());
    return failure;
}

void RemoveStaleTemporaries(const std::u16string& path, int minimumAgeSeconds) {
    const std::wstring target = WidePath(path);
    if (target.empty()) return;
    std::size_t cut = target.size();
    while (cut > 0 && !IsPathSeparator(static_cast<char16_t>(target[cut - 1])) &&
           target[cut - 1] != L':') {
        --cut;
    }
    const std::wstring folder = target.substr(0, cut);
    const std::wstring prefix = target.substr(cut) + kTemporaryMark;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((target + kTemporaryMark + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return static_cast<std::int64_t>((std::uint64_t{time.dwHighDateTime} << 32) |
                                         time.dwLowDateTime);
    };
    constexpr std::int64_t kTicksPerSecond = 10'000'000;
    do {
        // A pattern also matches short 8.3 names, so the long name is checked again.
        const std::wstring_view name(found.cFileName);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            ::_wcsnicmp(name.data(), prefix.c_str(), prefix.size()) == 0 &&
            ticks(now) - ticks(found.ftLastWriteTime) >= minimumAgeSeconds * kTicksPerSecond) {
            ::DeleteFileW((folder + found.cFileName).c_str());
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

}  // namespace tessik
