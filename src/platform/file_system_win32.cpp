#include "platform/file_system.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <functional>
#include <utility>
#include <vector>

#include "platform/path_encoding.h"
#include "platform/path_utilities.h"
#include "platform/system_calls.h"
#include "platform/temporary_names.h"
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

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// The file a replacement writes: a link stays a link, and the file it points to is replaced.
// Empty for a path no file can have.
std::wstring ReplacedFile(const std::u16string& path) {
    const std::wstring native = WidePath(path);
    const DWORD attributes =
        native.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(native.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return native;
    }
    HANDLE file =
        ::CreateFileW(native.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return native;
    const std::wstring resolved = GrownText([file](wchar_t* buffer, DWORD size) {
        return ::GetFinalPathNameByHandleW(file, buffer, size, FILE_NAME_NORMALIZED);
    });
    ::CloseHandle(file);
    return resolved.empty() ? native : resolved;
}

// Makes something under a random name beside `target`, never under one that exists: a name left
// by a killed run blocks nothing. `make` returns false with the cause in GetLastError() when it
// fails; a name that exists is tried again under another.
template <typename Make>
bool WithFreshName(const std::wstring& target, std::wstring& name, Make make) {
    constexpr int kAttempts = 16;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::string suffix = FreshTemporarySuffix();
        name = target + std::wstring(suffix.begin(), suffix.end());
        if (make(name.c_str())) return true;
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

// A new, empty temporary file beside `target`, open for writing; the invalid handle value with
// the cause in GetLastError() when none could be made.
HANDLE CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary) {
    HANDLE file = INVALID_HANDLE_VALUE;
    WithFreshName(target, temporary, [&file](const wchar_t* name) {
        file = systemCalls.open(name, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
        return file != INVALID_HANDLE_VALUE;
    });
    return file;
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

WriteFailure Moved(const std::wstring& from, const std::wstring& to) {
    constexpr DWORD kMove = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    return systemCalls.rename(from.c_str(), to.c_str(), kMove) ? WriteFailure::kNone
                                                               : FailureOf(::GetLastError());
}

// Where the file system has no links: the old target moves to `keep`, and comes back if the
// temporary cannot follow it. Between the two moves there is no target; a start in that moment
// finds the complete temporary (see TemporariesNewerThan).
WriteFailure MoveAsideIntoPlace(const std::wstring& temporary, const std::wstring& target,
                                const std::wstring& keep) {
    const WriteFailure aside = Moved(target, keep);
    if (aside != WriteFailure::kNone && !IsMissing(::GetLastError())) return aside;
    const WriteFailure failure = Moved(temporary, target);
    if (failure != WriteFailure::kNone && aside == WriteFailure::kNone) Moved(keep, target);
    return failure;
}

// The complete temporary takes the target's place. Without `keep`, in one step that keeps the
// old file's attributes and security, as its permissions are kept elsewhere. With `keep`, the old
// target becomes `keep` first, as a second link to it, so that at every step the target is
// there, old or new; the new file then starts with the folder's security.
WriteFailure MoveIntoPlace(const std::wstring& temporary, const std::wstring& target,
                           const std::wstring& keep) {
    if (keep.empty()) {
        if (::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
            return Moved(temporary, target);
        }
        return systemCalls.replace(target.c_str(), temporary.c_str()) ? WriteFailure::kNone
                                                                      : FailureOf(::GetLastError());
    }
    std::wstring link;
    const bool linked = WithFreshName(keep, link, [&target](const wchar_t* name) {
        return systemCalls.link(target.c_str(), name) != 0;
    });
    if (!linked && IsMissing(::GetLastError())) return Moved(temporary, target);  // nothing to keep
    if (!linked) return MoveAsideIntoPlace(temporary, target, keep);
    if (const WriteFailure failure = Moved(link, keep); failure != WriteFailure::kNone) {
        ::DeleteFileW(link.c_str());
        return failure;
    }
    return Moved(temporary, target);
}

std::int64_t Ticks(const FILETIME& time) {
    return static_cast<std::int64_t>((std::uint64_t{time.dwHighDateTime} << 32) |
                                     time.dwLowDateTime);
}

// Calls `visit` with the full name and the time of the last write of each temporary of `target`.
template <typename Visit>
void ForEachTemporary(const std::wstring& target, Visit visit) {
    std::size_t cut = target.size();
    while (cut > 0 && !IsPathSeparator(static_cast<char16_t>(target[cut - 1])) &&
           target[cut - 1] != L':') {
        --cut;
    }
    const std::wstring folder = target.substr(0, cut);
    const std::wstring mark(std::begin(kTemporaryMark), std::end(kTemporaryMark) - 1);
    const std::wstring prefix = target.substr(cut) + mark;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((target + mark + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    constexpr DWORD kNotAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    do {
        // A pattern also matches short 8.3 names, so the long name is checked again.
        if ((found.dwFileAttributes & kNotAFile) == 0 &&
            ::_wcsnicmp(found.cFileName, prefix.c_str(), prefix.size()) == 0) {
            visit(folder + found.cFileName, Ticks(found.ftLastWriteTime));
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

void RemoveStaleTemporariesOf(const std::wstring& target, int minimumAgeSeconds) {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    constexpr std::int64_t kTicksPerSecond = 10'000'000;
    ForEachTemporary(target, [&](const std::wstring& temporary, std::int64_t written) {
        if (Ticks(now) - written >= minimumAgeSeconds * kTicksPerSecond) {
            ::DeleteFileW(temporary.c_str());
        }
    });
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
    const std::wstring target = ReplacedFile(path);
    const std::wstring keep = WidePath(keepOldAs);
    if (target.empty() || (keep.empty() && !keepOldAs.empty())) return WriteFailure::kIoError;
    // What killed saves of either file left is freed before this one takes room.
    RemoveStaleTemporariesOf(target, kStaleTemporarySeconds);
    if (!keep.empty()) RemoveStaleTemporariesOf(keep, kStaleTemporarySeconds);
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
    const std::wstring target = ReplacedFile(path);
    if (!target.empty()) RemoveStaleTemporariesOf(target, minimumAgeSeconds);
}

std::vector<std::u16string> TemporariesNewerThan(const std::u16string& path) {
    const std::wstring target = ReplacedFile(path);
    if (target.empty()) return {};
    WIN32_FILE_ATTRIBUTE_DATA info{};
    const bool exists = ::GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &info);
    std::vector<std::pair<std::int64_t, std::wstring>> newer;
    ForEachTemporary(target, [&](const std::wstring& temporary, std::int64_t written) {
        if (!exists || written > Ticks(info.ftLastWriteTime))
            newer.emplace_back(written, temporary);
    });
    std::sort(newer.begin(), newer.end(), std::greater<>());
    std::vector<std::u16string> paths;
    for (const auto& entry : newer) paths.push_back(FromWide(entry.second));
    return paths;
}

}  // namespace tessik
