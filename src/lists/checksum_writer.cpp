#include "lists/checksum_writer.h"

#include "digest/hex.h"

namespace tessik {
namespace {

std::string Escaped(std::string_view name, std::string_view special) {
    std::string escaped;
    escaped.reserve(name.size() + 8);
    for (char c : name) {
        if (special.find(c) == std::string_view::npos) {
            escaped += c;
            continue;
        }
        escaped += '\\';
        escaped += c == '\n' ? 'n' : c == '\r' ? 'r' : c;
    }
    return escaped;
}

}  // namespace

std::string FormatChecksumLine(const LineFormat& format, std::string_view tag, const Digest& digest,
                               std::string_view name) {
    const bool escape =
        format.end == '\n' && name.find_first_of("\\\n\r") != std::string_view::npos;
    const std::string shownName = escape ? Escaped(name, "\\\n\r") : std::string(name);
    const std::string hex = HexDigest(digest, !format.upperCase);

    std::string line = escape ? "\\" : "";
    if (format.style == LineStyle::kBsd) {
        line.append(tag).append(" (").append(shownName).append(") = ").append(hex);
    } else {
        line.append(hex).append(format.binary ? " *" : "  ").append(shownName);
    }
    line += format.end;
    return line;
}

std::string NameForReport(std::string_view name) {
    if (name.find('\n') == std::string_view::npos) return std::string(name);
    return "\\" + Escaped(name, "\\\n");
}

}  // namespace tessik
