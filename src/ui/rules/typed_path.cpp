#include "ui/rules/typed_path.h"

#include "platform/path_utilities.h"

namespace tessik {
namespace {

// Where the part before the last separator ends, or npos where there is none.
std::size_t LastSeparator(const std::u16string& path) {
    for (std::size_t at = path.size(); at-- > 0;) {
        if (IsPathSeparator(path[at])) return at;
    }
    return std::u16string::npos;
}

// The path without its last part; the root stays the root.
std::u16string Parent(const std::u16string& path) {
    const std::size_t cut = LastSeparator(path);
    if (cut == std::u16string::npos) return {};
    return path.substr(0, cut == 0 ? 1 : cut);
}

}  // namespace

FileDialogStart StartForTypedPath(const std::u16string& typed) {
    if (typed.empty()) return {};
    if (DirectoryExists(typed)) return {typed, {}};
    const std::size_t cut = LastSeparator(typed);
    FileDialogStart start{Parent(typed),
                          cut == std::u16string::npos ? typed : typed.substr(cut + 1)};
    while (!start.folder.empty() && !DirectoryExists(start.folder)) {
        const std::u16string parent = Parent(start.folder);
        start.folder = parent == start.folder ? std::u16string() : parent;
    }
    return start;
}

TypedPathProblem ProblemOfTypedPath(const std::u16string& typed) {
    if (DirectoryExists(typed)) return TypedPathProblem::kFolder;
    return FileExists(typed) ? TypedPathProblem::kNone : TypedPathProblem::kNotFound;
}

}  // namespace tessik
