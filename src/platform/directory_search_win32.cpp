#include "platform/directory_search.h"

#include <windows.h>

#include "platform/path_utilities.h"
#include "platform/system_calls.h"
#include "platform/wide_path.h"

namespace tessik {
namespace {

// Volume serial number and file index: what the system tells folders apart by, through links
// and junctions. Opened without read access, so a folder that cannot be listed still has one.
ReadFailure IdentityOf(const std::wstring& folder, FolderIdentity& identity) {
    HANDLE handle = ::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return ReadFailureAt(folder, ::GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
    const DWORD error = ::GetLastError();
    ::CloseHandle(handle);
    if (!known) return ReadFailureOf(static_cast<int>(error));
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return ReadFailure::kPathThroughFile;
    }
    identity = {info.dwVolumeSerialNumber,
                (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
    return ReadFailure::kNone;
}

}  // namespace

bool DirectorySearch::Open(const std::u16string& folder) {
    Close();
    failure_ = ReadFailure::kNone;
    // An empty folder is the current directory, as a search for a bare pattern would read it.
    const std::wstring native = folder.empty() ? L"." : WidePath(folder);
    if (native.empty()) return Failed(ReadFailure::kMissing);
    if (const ReadFailure failure = IdentityOf(native, identity_); failure != ReadFailure::kNone) {
        return Failed(failure);
    }
    const std::wstring pattern =
        native + (IsPathSeparator(static_cast<char16_t>(native.back())) ? L"*" : L"\\*");
    WIN32_FIND_DATAW found{};
    HANDLE search = systemCalls.opendir(pattern.c_str(), &found);
    // A drive's root has no "." and "..", so an empty one has nothing to find at all.
    if (search == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_NOT_FOUND) {
        return Failed(ReadFailureAt(native, ::GetLastError()));
    }
    std::vector<DirectoryEntry> listed;
    for (bool more = search != INVALID_HANDLE_VALUE; more;
         more = systemCalls.readdir(search, &found)) {
        const std::wstring_view name(found.cFileName);
        if (name == L"." || name == L"..") continue;
        listed.push_back(
            {FromWide(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    }
    // A listing cut short by a read error is no listing: its missing entries would go unnoticed.
    const DWORD ended = search != INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_NO_MORE_FILES;
    if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
    if (ended != ERROR_NO_MORE_FILES) return Failed(ReadFailureOf(static_cast<int>(ended)));
    Keep(std::move(listed));
    return true;
}

}  // namespace tessik
