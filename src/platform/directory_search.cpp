#include "platform/directory_search.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <algorithm>
#include <cerrno>
#include <tuple>

#include "platform/path_encoding.h"
#include "platform/system_calls.h"

namespace tessik {
namespace {

char16_t FoldAscii(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? unit + 32 : unit;
}

struct SortableEntry {
    std::u16string foldedName;
    DirectoryEntry entry;
};

// Case-insensitive for ASCII letters, then exact, so the order is total and stable.
bool ComesBefore(const SortableEntry& a, const SortableEntry& b) {
    return std::tie(a.foldedName, a.entry.name) < std::tie(b.foldedName, b.entry.name);
}

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
    std::vector<SortableEntry> others;
    for (;;) {
        errno = 0;
        const dirent* raw = systemCalls.readdir(dir);
        if (raw == nullptr) break;
        const std::string_view name(raw->d_name);
        if (name == "." || name == "..") continue;
        SortableEntry item{{}, {FromNativePath(name), IsFolderEntry(dir, *raw)}};
        item.foldedName = item.entry.name;
        std::transform(item.foldedName.begin(), item.foldedName.end(), item.foldedName.begin(),
                       FoldAscii);
        others.push_back(std::move(item));
    }
    // A listing cut short by a read error is no listing: its missing entries would go unnoticed.
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0) return Failed(ReadFailureOf(readError));
    std::sort(others.begin(), others.end(), ComesBefore);
    entries_ = {{u".", true}, {u"..", true}};
    entries_.reserve(others.size() + 2);
    for (auto& item : others) entries_.push_back(std::move(item.entry));
    position_ = 0;
    open_ = true;
    return true;
}

bool DirectorySearch::Next(DirectoryEntry& entry) {
    if (!open_ || position_ >= entries_.size()) return false;
    entry = std::move(entries_[position_++]);
    return true;
}

bool DirectorySearch::Failed(ReadFailure failure) {
    failure_ = failure;
    return false;
}

void DirectorySearch::Close() {
    entries_.clear();
    entries_.shrink_to_fit();
    position_ = 0;
    open_ = false;
}

}  // namespace tessik
