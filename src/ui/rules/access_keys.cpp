#include "ui/rules/access_keys.h"

namespace tessik {
namespace {

// Lower case for the letters of the languages we ship: ASCII and Latin-1.
char16_t Folded(char16_t letter) {
    const bool ascii = letter >= u'A' && letter <= u'Z';
    const bool latin1 = letter >= 0xC0 && letter <= 0xDE && letter != 0xD7;
    return ascii || latin1 ? static_cast<char16_t>(letter + 0x20) : letter;
}

}  // namespace

std::u16string WithoutAccessKeys(std::u16string_view text) {
    std::u16string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    return shown;
}

char16_t AccessKeyOf(std::u16string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] != u'&') return Folded(text[i + 1]);
        ++i;  // an ampersand shown as itself
    }
    return 0;
}

bool IsField(ControlKind kind) {
    return kind == ControlKind::kEdit || kind == ControlKind::kMultiLineEdit ||
           kind == ControlKind::kDropDownList || kind == ControlKind::kTable;
}

bool NamesTheNext(const ControlTemplate& label, const ControlTemplate& next) {
    if (label.kind != ControlKind::kLabel) return false;
    // A label without a text of its own shows what the window writes there, and names nothing.
    return IsField(next.kind) || (next.kind == ControlKind::kPushButton && label.text != nullptr);
}

}  // namespace tessik
