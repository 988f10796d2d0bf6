#include "platform/input_file.h"

#include <windows.h>

#include <algorithm>

#include "platform/path_utilities.h"
#include "platform/system_calls.h"
#include "platform/wide_path.h"

namespace tessik {

ReadFailure ReadFailureOf(int error) {
    switch (static_cast<DWORD>(error)) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return ReadFailure::kMissing;
        case ERROR_FILENAME_EXCED_RANGE:
            return ReadFailure::kNameTooLong;
        case ERROR_DIRECTORY:  // a file where the path needs a folder
            return ReadFailure::kPathThroughFile;
        case ERROR_CANT_RESOLVE_FILENAME:  // links that lead round in a circle
            return ReadFailure::kLinkLoop;
        case ERROR_ACCESS_DENIED:
            return ReadFailure::kPermissionDenied;
        default:
            return ReadFailure::kIoError;
    }
}

namespace {

// The longest name a folder entry may have.
constexpr std::size_t kLongestName = 255;

bool HasOverlongName(std::wstring_view path) {
    std::size_t length = 0;
    for (const wchar_t unit : path) {
        length = IsPathSeparator(static_cast<char16_t>(unit)) ? 0 : length + 1;
        if (length > kLongestName) return true;
    }
    return false;
}

// Whether the nearest part of the path before its last name that exists is a file. A trailing
// separator ends the path in an empty name, so that "file\" leads through "file".
bool LeadsThroughFile(std::wstring path) {
    for (;;) {
        const std::size_t cut = path.find_last_of(L"\\/");
        if (cut == std::wstring::npos) return false;
        path.resize(cut);
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        }
    }
}

}  // namespace

ReadFailure ReadFailureAt(const std::wstring& path, unsigned long error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_DIRECTORY:
        case ERROR_FILENAME_EXCED_RANGE:
            if (HasOverlongName(path)) return ReadFailure::kNameTooLong;
            if (LeadsThroughFile(path)) return ReadFailure::kPathThroughFile;
            break;
        default:
            break;
    }
    return ReadFailureOf(static_cast<int>(error));
}

namespace {

// What a handle opened with backup semantics holds: folders open too, so that one open tells
// every kind apart with no gap for the path to change in.
ReadFailure KindOf(HANDLE file) {
    if (::GetFileType(file) != FILE_TYPE_DISK) return ReadFailure::kNotRegularFile;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info))
        return ReadFailureOf(static_cast<int>(::GetLastError()));
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return ReadFailure::kFolder;
    return ReadFailure::kNone;
}

// ReadFile takes at most a DWORD's worth at once.
constexpr std::size_t kLargestRead = std::size_t{1} << 30;

}  // namespace

InputFile::~InputFile() {
    Close();
}

ReadFailure InputFile::Open(const std::u16string& path) {
    Close();
    const std::wstring native = WidePath(path);
    if (native.empty()) return ReadFailure::kMissing;
    // Others may go on writing, renaming or deleting the file while it is read, as they may
    // on Linux.
    HANDLE file = systemCalls.open(
        native.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_BACKUP_SEMANTICS);
    if (file == INVALID_HANDLE_VALUE) return ReadFailureAt(native, ::GetLastError());
    LARGE_INTEGER size{};
    ReadFailure failure = KindOf(file);
    if (failure == ReadFailure::kNone && !::GetFileSizeEx(file, &size)) {
        failure = ReadFailureOf(static_cast<int>(::GetLastError()));
    }
    if (failure != ReadFailure::kNone) {
        ::CloseHandle(file);
        return failure;
    }
    descriptor_ = file;
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    return ReadFailure::kNone;
}

void InputFile::Close() {
    if (descriptor_ != kClosed) ::CloseHandle(descriptor_);
    descriptor_ = kClosed;
    size_ = 0;
}

std::uint64_t InputFile::CurrentSize() const {
    LARGE_INTEGER size{};
    if (descriptor_ == kClosed || !::GetFileSizeEx(descriptor_, &size)) return 0;
    return static_cast<std::uint64_t>(size.QuadPart);
}

bool InputFile::SeekTo(std::uint64_t offset) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    return descriptor_ != kClosed && offset <= static_cast<std::uint64_t>(INT64_MAX) &&
           ::SetFilePointerEx(descriptor_, position, nullptr, FILE_BEGIN);
}

std::int64_t InputFile::Read(void* buffer, std::size_t count) {
    if (descriptor_ == kClosed) return -1;
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        unsigned long got = 0;
        const auto asked = static_cast<unsigned long>(std::min(count - done, kLargestRead));
        if (!systemCalls.read(descriptor_, out + done, asked, &got)) {
            if (::GetLastError() == ERROR_HANDLE_EOF) break;
            return -1;
        }
        if (got == 0) break;
        done += got;
    }
    return static_cast<std::int64_t>(done);
}

}  // namespace tessik
