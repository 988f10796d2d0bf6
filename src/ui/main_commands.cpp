#include "ui/main_commands.h"

#include "folder/path_utilities.h"

namespace tessik {

bool DigestsMatch(const std::u16string& result, const std::u16string& expected,
                  bool caseSensitive) {
    return caseSensitive ? result == expected : AsciiLower(result) == AsciiLower(expected);
}

std::u16string WithCrLfLineBreaks(const std::u16string& text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) out.push_back(u'\r');
        out.push_back(text[i]);
    }
    return out;
}

std::u16string CutDroppedPath(std::u16string path) {
    if (path.size() > kMaxDroppedPathUnits) path.resize(kMaxDroppedPathUnits);
    return path;
}

ArgumentField FieldForArgument(const std::u16string& argument) {
    return FileExists(argument) ? ArgumentField::kFileName : ArgumentField::kString;
}

}  // namespace tessik
