#include "ui/file_filter.h"

#include <vector>

namespace tessik {
namespace {

std::vector<std::u16string_view> Split(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string_view> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::u16string_view::npos;
         start = end + 1) {
        parts.push_back(text.substr(start, end - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::u16string QtPatterns(std::u16string_view patterns) {
    std::u16string out;
    for (std::u16string_view pattern : Split(patterns, u';')) {
        if (pattern.empty()) continue;
        if (!out.empty()) out += u' ';
        out += pattern == u"*.*" ? std::u16string_view(u"*") : pattern;
    }
    return out;
}

}  // namespace

std::u16string ToQtFileFilter(std::u16string_view filter) {
    // Everything after the closing "||" is not part of the filter.
    if (std::size_t end = filter.find(u"||"); end != std::u16string_view::npos) {
        filter = filter.substr(0, end);
    }
    const std::vector<std::u16string_view> parts = Split(filter, u'|');
    std::u16string out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::u16string patterns = QtPatterns(parts[i + 1]);
        if (patterns.empty()) continue;
        if (!out.empty()) out += u";;";
        out.append(parts[i]).append(u" (").append(patterns).append(u")");
    }
    return out;
}

}  // namespace tessik
