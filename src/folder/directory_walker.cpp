#include "folder/directory_walker.h"

#include <algorithm>

#include "platform/path_encoding.h"
#include "platform/path_utilities.h"

namespace tessik {
namespace {

bool IsDotEntry(const std::u16string& name) {
    return name == u"." || name == u"..";
}

std::u16string WithTrailingSeparator(std::u16string folder) {
    if (!folder.empty() && !IsPathSeparator(folder.back())) folder += kPathSeparator;
    return folder;
}

}  // namespace

DirectoryWalker::DirectoryWalker(const WalkOptions& options)
    : recurse_(options.recurse),
      dotFiles_(options.dotFiles),
      rootName_(options.rootFolder.empty() ? u"." : options.rootFolder),
      root_(WithTrailingSeparator(options.rootFolder)),
      nameFilter_(AsciiLower(options.nameFilter)),
      extensionFilter_(AsciiLower(options.extensionFilter)) {}

bool DirectoryWalker::FindFirst(std::u16string& path) {
    path.clear();
    folder_ = root_;
    unopened_.clear();
    levels_.clear();
    levels_.push_back(Level{{}, folder_.size()});
    DirectoryEntry entry;
    if (!NextEntry(entry)) {
        levels_.clear();
        return false;
    }
    HandleEntry(entry, path);
    return true;
}

bool DirectoryWalker::FindNext(std::u16string& path) {
    path.clear();
    if (levels_.empty()) return false;
    DirectoryEntry entry;
    if (!NextEntry(entry)) return CloseTopLevel();
    HandleEntry(entry, path);
    return true;
}

// A level just entered is opened by its first step; a level that cannot be opened reads as
// empty.
bool DirectoryWalker::NextEntry(DirectoryEntry& entry) {
    DirectorySearch& search = levels_.back().search;
    return (search.IsOpen() || OpenTopLevel()) && search.Next(entry);
}

// A folder that is already open higher up the current path (reached again through a link) is
// not read again: that would descend forever.
bool DirectoryWalker::OpenTopLevel() {
    DirectorySearch& search = levels_.back().search;
    if (!search.Open(folder_)) {
        const bool root = levels_.size() == 1;
        unopened_.push_back(
            {root ? rootName_ : folder_.substr(0, folder_.size() - 1), search.Failure()});
        return false;
    }
    const bool repeated = std::any_of(levels_.begin(), levels_.end() - 1, [&](const Level& level) {
        return level.search.Identity() == search.Identity();
    });
    if (repeated) search.Close();
    return !repeated;
}

// False when the root's level closed, which completes the walk.
bool DirectoryWalker::CloseTopLevel() {
    levels_.pop_back();
    if (levels_.empty()) return false;
    // Cut back by length rather than at the last separator: names may hold a '\', and an empty
    // root has no separator to cut at.
    folder_.resize(levels_.back().folderLength);
    return true;
}

void DirectoryWalker::HandleEntry(const DirectoryEntry& entry, std::u16string& path) {
    if (entry.isFolder) {
        if (recurse_ && !IsDotEntry(entry.name)) {
            folder_ += entry.name;
            folder_ += kPathSeparator;
            levels_.push_back(Level{{}, folder_.size()});
        }
        return;
    }
    if (EntryMatches(entry)) path = folder_ + entry.name;
}

bool DirectoryWalker::EntryMatches(const DirectoryEntry& entry) const {
    if (entry.isFolder || entry.name.empty()) return false;
    if (!dotFiles_ && entry.name.front() == u'.') return false;
    if (extensionFilter_ != u"*" && !ExtensionPasses(entry.name)) return false;
    return nameFilter_ == u"*" || AsciiLower(entry.name).find(nameFilter_) != std::u16string::npos;
}

// Only the first occurrence of the extension in the filter counts: it must start with its dot
// and end at a ';' or at the end of the filter. A name without extension looks for a lone ".".
bool DirectoryWalker::ExtensionPasses(const std::u16string& name) const {
    const std::u16string extension = LowerExtensionOf(name);
    std::size_t position = extensionFilter_.find(extension);
    if (position >= extensionFilter_.size() || extensionFilter_[position] != u'.') return false;
    const std::size_t steps = std::max<std::size_t>(extension.size(), 1);
    for (std::size_t step = 0; step < steps; ++step) {
        ++position;
        if (position == extensionFilter_.size() || extensionFilter_[position] == u';') return true;
    }
    return false;
}

}  // namespace tessik
