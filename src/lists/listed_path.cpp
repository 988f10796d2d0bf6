#include "lists/listed_path.h"

#include <algorithm>

#include "lists/signed_list.h"
#include "platform/file_system.h"
#include "platform/path_encoding.h"
#include "platform/path_utilities.h"

namespace tessik {
namespace {

bool IsFullName(std::u16string_view name) {
    return kPathsHaveDrives ? IsAbsolutePath(name) : name.starts_with(u'/');
}

std::u16string Below(const std::u16string& folder, const std::u16string& name) {
    return IsFullName(name) ? name : folder + name;
}

}  // namespace

bool IsFullListName(const std::string& name) {
    return IsFullName(FromNativePath(name));
}

std::u16string ListedPath(const std::string& name, const std::u16string& folder,
                          ListReading reading) {
    const std::u16string asWritten = FromNativePath(name);
    const std::u16string path = Below(folder, asWritten);
    // A name ending in a backslash names a folder where backslashes part folders, not a file.
    if (reading == ListReading::kStrict || asWritten.find(u'\\') == std::u16string::npos ||
        asWritten.back() == u'\\' || QueryPathKind(path) != PathKind::kMissing) {
        return path;
    }
    std::u16string slashed = asWritten;
    std::replace(slashed.begin(), slashed.end(), u'\\', kPathSeparator);
    slashed = Below(folder, slashed);
    return QueryPathKind(slashed) != PathKind::kMissing ? slashed : path;
}

bool ForEachListedName(const std::u16string& listPath, const std::string& separator,
                       ListReading reading, const std::function<bool(const std::string&)>& take) {
    SignedList list;
    if (list.Open(listPath, SignedList::Checking::kSkip) != ReadFailure::kNone) return false;
    ChecksumListReader reader(list.Bytes(), separator, reading);
    for (ListLine listed; reader.Next(listed);) {
        if (listed.line.kind == LineKind::kEntry && !take(listed.line.name)) return true;
    }
    return !reader.ReadFailed();
}

}  // namespace tessik
