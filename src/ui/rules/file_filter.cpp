#include "ui/rules/file_filter.h"

#include <vector>

namespace tessik {
namespace {

std::vector<std::u16string_view> Split(std::u16string_view text, std::u16string_view separator) {
    std::vector<std::u16string_view> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::u16string_view::npos;
         start = end + separator.size()) {
        parts.push_back(text.substr(start, end - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::u16string QtPatterns(std::u16string_view patterns) {
    std::u16string out;
    for (std::u16string_view pattern : Split(patterns, u";")) {
        if (pattern.empty()) continue;
        if (!out.empty()) out += u' ';
        out += pattern == u"*.*" ? std::u16string_view(u"*") : pattern;
    }
    return out;
}

// Runs of white space as one space, none at either end: how the dialog shows a filter.
std::u16string Simplified(std::u16string_view text) {
    std::u16string out;
    bool blank = false;
    for (char16_t unit : text) {
        if (unit == u' ' || unit == u'\t' || unit == u'\n' || unit == u'\r') {
            blank = !out.empty();
            continue;
        }
        if (blank) out += u' ';
        blank = false;
        out += unit;
    }
    return out;
}

}  // namespace

std::u16string ToQtFileFilter(std::u16string_view filter) {
    // Everything after the closing "||" is not part of the filter.
    if (std::size_t end = filter.find(u"||"); end != std::u16string_view::npos) {
        filter = filter.substr(0, end);
    }
    const std::vector<std::u16string_view> parts = Split(filter, u"|");
    std::u16string out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::u16string patterns = QtPatterns(parts[i + 1]);
        if (patterns.empty()) continue;
        if (!out.empty()) out += u";;";
        out.append(parts[i]).append(u" (").append(patterns).append(u")");
    }
    return out;
}

int QtFilterEntryIndex(std::u16string_view qtFilter, std::u16string_view chosen) {
    std::vector<std::u16string> entries;
    for (std::u16string_view entry : Split(qtFilter, u";;")) entries.push_back(Simplified(entry));
    const std::u16string wanted = Simplified(chosen);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == wanted) return static_cast<int>(i);
    }
    // With the patterns hidden the dialog reports the entry as it shows it, without the
    // " (patterns)" that ends it; a description may hold parentheses of its own.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].starts_with(wanted)) continue;
        const std::u16string_view patterns = std::u16string_view(entries[i]).substr(wanted.size());
        if (patterns.starts_with(u" (") && patterns.ends_with(u')') &&
            patterns.find(u'(', 2) == std::u16string_view::npos) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace tessik
