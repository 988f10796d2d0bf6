#include "ui/rules/text_pattern.h"

namespace tessik {

std::u16string FillIn(std::u16string_view pattern,
                      std::initializer_list<std::u16string_view> values) {
    std::u16string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size() && pattern[i + 1] >= u'1' &&
            pattern[i + 1] <= u'9') {
            const auto number = static_cast<std::size_t>(pattern[i + 1] - u'1');
            if (number < values.size()) {
                out += values.begin()[number];
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

std::u16string NumberText(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace tessik
