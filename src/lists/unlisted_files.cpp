#include "lists/unlisted_files.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "folder/directory_walker.h"
#include "lists/list_names.h"
#include "lists/listed_path.h"
#include "platform/file_system.h"
#include "platform/path_encoding.h"

namespace tessik {
namespace {

// Below the walk's root, a name or a folder that starts with '.'.
bool IsHidden(const std::u16string& path, std::size_t rootLength) {
    const std::u16string_view below = std::u16string_view(path).substr(rootLength);
    return below.starts_with(u'.') ||
           below.find(std::u16string{kPathSeparator, u'.'}) != std::u16string_view::npos;
}

// The path with "." and empty segments dropped and ".." taken back, as text. Unlike FullPath it
// splits only where this platform separates: on Linux, a name holding a '\' stays the one name
// the check looks up; on Windows, '/' separates too.
std::u16string Normalized(const std::u16string& path) {
    constexpr char16_t kSeparators[] = {kPathSeparator, u'/', u'\0'};
    std::vector<std::u16string_view> segments;
    std::u16string_view rest = path;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find_first_of(kSeparators), rest.size());
        const std::u16string_view segment = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (segment == u"..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!segment.empty() && segment != u".") {
            segments.push_back(segment);
        }
    }
    std::u16string normal;
    for (const std::u16string_view segment : segments) (normal += kPathSeparator) += segment;
    return normal;
}

}  // namespace

UnlistedFiles FindUnlistedFiles(const std::u16string& listPath, const std::u16string& folder,
                                const UnlistedOptions& options) {
    UnlistedFiles unlisted;
    const std::u16string root = FullPath(folder);
    const std::u16string list = Normalized(FullPath(listPath));
    std::unordered_set<std::u16string> listed;
    unlisted.listUnreadable =
        root.empty() || list.empty() ||
        !ForEachListedName(listPath, options.separator, options.reading,
                           [&](const std::string& name) {
                               listed.insert(Normalized(ListedPath(name, root, options.reading)));
                               return true;
                           });
    if (unlisted.listUnreadable) return unlisted;
    DirectoryWalker walker({.recurse = true, .rootFolder = root});
    const std::size_t rootLength = root.size() + (root.back() == kPathSeparator ? 0 : 1);
    std::u16string path;
    for (bool more = walker.FindFirst(path); more; more = walker.FindNext(path)) {
        if (options.cancel != nullptr && options.cancel->load(std::memory_order_relaxed)) {
            unlisted.cancelled = true;
            break;
        }
        if (path.empty() || IsHidden(path, rootLength)) continue;
        const std::u16string full = Normalized(path);
        if (full == list || (HasSignatureExtension(full) && WithoutExtension(full) == list) ||
            listed.contains(full)) {
            continue;
        }
        unlisted.paths.push_back(path);
    }
    unlisted.foldersNotOpened = walker.FoldersNotOpened();
    return unlisted;
}

}  // namespace tessik
