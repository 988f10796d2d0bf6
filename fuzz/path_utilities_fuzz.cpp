// The path cutters and the full-path builder on any UTF-16 text: each cut is a piece of its
// input at the place its rule names, case mapping touches only A-Z, and a full path is
// absolute with no "." or ".." left.

#include <cstdint>
#include <string>

#include "platform/path_utilities.h"
#include "fuzz_support.h"
#include "platform/file_system.h"
#include "platform/path_encoding.h"

namespace tessik::fuzz {
namespace {

bool StartsWith(const std::u16string& text, const std::u16string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::u16string& text, const std::u16string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool HasSeparatorFrom(const std::u16string& text, std::size_t from) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (IsPathSeparator(text[i])) return true;
    }
    return false;
}

void CheckDirectoryPart(const std::u16string& path) {
    const std::u16string directory = DirectoryPart(path);
    Require(StartsWith(path, directory), "DirectoryPart is a prefix");
    if (directory != path) {
        Require(directory.size() >= 2 && IsPathSeparator(directory.back()),
                "DirectoryPart ends at a separator after position 0");
        Require(!HasSeparatorFrom(path, directory.size()), "DirectoryPart cuts at the last one");
    } else {
        Require(!HasSeparatorFrom(path, 1) || IsPathSeparator(path.back()),
                "an uncut path has no separator after position 0 but its end");
    }
}

void CheckFileNamePart(const std::u16string& path) {
    const std::u16string name = FileNamePart(path);
    Require(EndsWith(path, name), "FileNamePart is a suffix");
    if (name != path) {
        const std::size_t cut = path.size() - name.size() - 1;
        Require(!name.empty() && cut >= 1 && IsPathSeparator(path[cut]),
                "FileNamePart follows a separator after position 0");
        Require(!HasSeparatorFrom(name.substr(0, name.size() - 1), 0),
                "FileNamePart follows the last separator before the end");
    } else {
        Require(!HasSeparatorFrom(path.substr(0, path.size() - 1), 1),
                "an uncut path has no separator between position 0 and its end");
    }
}

void CheckExtension(const std::u16string& name) {
    const std::u16string extension = ExtensionOf(name);
    Require(EndsWith(name, extension), "ExtensionOf is a suffix");
    if (extension.empty()) {
        Require(name.find(u'.', 1) == std::u16string::npos, "no extension means no dot past 0");
    } else {
        Require(extension.front() == u'.' && extension.find(u'.', 1) == std::u16string::npos &&
                    extension.size() < name.size(),
                "the extension starts at the last dot past position 0");
    }
    Require(LowerExtensionOf(name) == AsciiLower(extension), "LowerExtensionOf lowers it");
}

void CheckAsciiLower(const std::u16string& text) {
    const std::u16string lower = AsciiLower(text);
    Require(lower.size() == text.size(), "AsciiLower keeps the length");
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool upper = text[i] >= u'A' && text[i] <= u'Z';
        Require(lower[i] == (upper ? text[i] + 32 : text[i]), "AsciiLower maps only A-Z");
    }
}

void CheckFullPath(const std::u16string& path) {
    if (path.find(u'\0') != std::u16string::npos) return;
    const std::u16string full = FullPath(path);
    if (full.empty()) return;  // no current directory
    Require(full.front() == kPathSeparator, "a full path is absolute");
    // "/" alone, or "/" + segment for each segment, with an optional trailing "/".
    std::size_t start = 1;
    while (start < full.size()) {
        std::size_t end = full.find(kPathSeparator, start);
        if (end == std::u16string::npos) end = full.size();
        const std::u16string segment = full.substr(start, end - start);
        Require(!segment.empty() && segment != u"." && segment != u".." &&
                    segment.find(u'\\') == std::u16string::npos,
                "a full path has no empty, . or .. segment and only our separator");
        start = end + 1;
    }
}

}  // namespace
}  // namespace tessik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::u16string text = tessik::fuzz::ConsumeUtf16(input, size);
    tessik::fuzz::CheckDirectoryPart(text);
    tessik::fuzz::CheckFileNamePart(text);
    tessik::fuzz::CheckExtension(text);
    tessik::fuzz::CheckAsciiLower(text);
    tessik::fuzz::CheckFullPath(text);
    return 0;
}
