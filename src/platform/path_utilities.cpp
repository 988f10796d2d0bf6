#include "platform/path_utilities.h"

#include "platform/file_system.h"
#include "platform/path_encoding.h"

namespace tessik {

bool IsPathSeparator(char16_t unit) { return unit == u'\\' || unit == u'/'; }

bool IsAbsolutePath(std::u16string_view path) {
    if (!path.empty() && IsPathSeparator(path.front())) return true;
    const auto isLetter = [](char16_t unit) {
        return (unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z');
    };
    return kPathsHaveDrives && path.size() >= 2 && isLetter(path[0]) && path[1] == u':';
}

bool FileExists(const std::u16string& path) { return QueryPathKind(path) == PathKind::kFile; }

bool DirectoryExists(const std::u16string& path) {
    return QueryPathKind(path) == PathKind::kFolder;
}

std::u16string DirectoryPart(const std::u16string& path) {
    for (std::size_t i = path.size(); i-- > 1;) {
        if (IsPathSeparator(path[i])) return path.substr(0, i + 1);
    }
    return path;
}

std::u16string FileNamePart(const std::u16string& path) {
    for (std::size_t i = path.size(); i-- > 1;) {
        if (IsPathSeparator(path[i]) && i + 1 < path.size()) return path.substr(i + 1);
    }
    return path;
}

std::u16string ExtensionOf(const std::u16string& name) {
    for (std::size_t i = name.size(); i-- > 1;) {
        if (name[i] == u'.') return name.substr(i);
    }
    return {};
}

std::u16string LowerExtensionOf(const std::u16string& name) {
    return AsciiLower(ExtensionOf(name));
}

std::u16string AsciiLower(std::u16string text) {
    for (char16_t& unit : text) {
        if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit - u'A' + u'a');
    }
    return text;
}

}  // namespace tessik
