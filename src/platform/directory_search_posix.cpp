#include "platform/directory_search.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/path_encoding.h"
#include "platform/system_calls.h"

namespace tessik {
namespace {

bool IsFolderEntry(DIR* dir, const dirent& raw) {
    if (raw.d_type == DT_DIR) return true;
    if (raw.d_type != DT_LNK && raw.d_type != DT_UNKNOWN) return false;
    struct stat info {};
    return ::fstatat(::dirfd(dir), raw.d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

bool DirectorySearch::Open(const std::u16string& folder) {
    Close();
    failure_ = ReadFailure::kNone;
    const std::string native = ToNativePath(folder);
    if (native.find('\0') != std::string::npos) return Failed(ReadFailure::kMissing);
    // An empty folder is the current directory, as a search for a bare pattern would read it.
    DIR* dir = systemCalls.opendir(native.empty() ? "." : native.c_str());
    if (dir == nullptr) return Failed(ReadFailureOf(errno));
    struct stat info {};
    if (::fstat(::dirfd(dir), &info) != 0) {
        const int error = errno;
        ::closedir(dir);
        return Failed(ReadFailureOf(error));
    }
    identity_ = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    std::vector<DirectoryEntry> found;
    for (;;) {
        errno = 0;
        const dirent* raw = systemCalls.readdir(dir);
        if (raw == nullptr) break;
        const std::string_view name(raw->d_name);
        if (name == "." || name == "..") continue;
        found.push_back({FromNativePath(name), IsFolderEntry(dir, *raw)});
    }
    // A listing cut short by a read error is no listing: its missing entries would go unnoticed.
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0) return Failed(ReadFailureOf(readError));
    Keep(std::move(found));
    return true;
}

}  // namespace tessik
