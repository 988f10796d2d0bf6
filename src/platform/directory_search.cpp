#include "platform/directory_search.h"

#include <algorithm>
#include <tuple>

#include "platform/path_utilities.h"

namespace tessik {
namespace {

struct SortableEntry {
    std::u16string foldedName;
    DirectoryEntry entry;
};

// Case-insensitive for ASCII letters, then exact, so the order is total and stable.
bool ComesBefore(const SortableEntry& a, const SortableEntry& b) {
    return std::tie(a.foldedName, a.entry.name) < std::tie(b.foldedName, b.entry.name);
}

}  // namespace

void DirectorySearch::Keep(std::vector<DirectoryEntry> found) {
    std::vector<SortableEntry> others;
    others.reserve(found.size());
    for (DirectoryEntry& entry : found) {
        std::u16string folded = AsciiLower(entry.name);
        others.push_back({std::move(folded), std::move(entry)});
    }
    std::sort(others.begin(), others.end(), ComesBefore);
    entries_ = {{u".", true}, {u"..", true}};
    entries_.reserve(others.size() + 2);
    for (auto& item : others) entries_.push_back(std::move(item.entry));
    position_ = 0;
    open_ = true;
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
