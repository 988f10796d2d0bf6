#include "ui/main_commands.h"

#include "platform/path_utilities.h"

namespace tessik {

std::u16string WithCrLfLineBreaks(const std::u16string& rawFieldText) {
    constexpr char16_t kLineEnd = u'\u2029';
    std::u16string out;
    out.reserve(rawFieldText.size());
    for (char16_t unit : rawFieldText) {
        if (unit == kLineEnd) {
            out += u"\r\n";
        } else {
            out.push_back(unit);
        }
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
