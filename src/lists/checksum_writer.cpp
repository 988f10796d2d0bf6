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

// What the tool that checks such lines escapes in a name: the standard tools a backslash, a line
// feed and a carriage return; b3sum the first two; xxhsum and the SFV tools nothing.
std::string_view EscapedByTheChecker(const AlgorithmInfo& algorithm, LineStyle style) {
    if (style == LineStyle::kSfv || algorithm.id.starts_with("xxh")) return "";
    return algorithm.id == "blake3" ? "\\\n" : "\\\n\r";
}

// What this name has escaped, if anything: what the checker escapes, or, where the line could
// not be read back otherwise, a line feed in the name, a carriage return at its end, or a start
// that makes an SFV line a comment, an escaped line, or one that loses its blanks. Once a line
// is escaped, each backslash is.
std::string_view EscapedIn(std::string_view name, const LineFormat& format,
                           const AlgorithmInfo& algorithm) {
    if (format.end != '\n') return "";
    const std::string_view checker = EscapedByTheChecker(algorithm, format.style);
    const bool sfvStart = format.style == LineStyle::kSfv && !name.empty() &&
                          std::string_view("\\;# \t").find(name.front()) != name.npos;
    const bool crAtEnd = name.ends_with('\r');
    if (name.find_first_of(checker) == name.npos && name.find('\n') == name.npos && !crAtEnd &&
        !sfvStart) {
        return "";
    }
    return checker.find('\r') != checker.npos || crAtEnd ? "\\\n\r" : "\\\n";
}

}  // namespace

std::string FormatChecksumLine(const LineFormat& format, const AlgorithmInfo& algorithm,
                               const Digest& digest, std::string_view name) {
    const std::string_view special = EscapedIn(name, format, algorithm);
    const bool escape = !special.empty();
    const std::string shownName = escape ? Escaped(name, special) : std::string(name);
    const bool sfv = format.style == LineStyle::kSfv;
    const std::string hex = HexDigest(digest, !format.upperCase && !sfv);

    std::string line = escape ? "\\" : "";
    if (sfv) {
        line.append(shownName).append(" ").append(hex);
    } else if (format.style == LineStyle::kBsd || algorithm.id == "xxh3") {
        line.append(algorithm.listTag).append(" (").append(shownName).append(") = ").append(hex);
    } else {
        line.append(hex).append(format.binary ? " *" : "  ").append(shownName);
    }
    line += format.end;
    return line;
}

LineStyle StyleOfForm(LineForm form) {
    switch (form) {
        case LineForm::kBsd:
            return LineStyle::kBsd;
        case LineForm::kSfv:
            return LineStyle::kSfv;
        case LineForm::kGnu:
        case LineForm::kSeparated:
            break;
    }
    return LineStyle::kGnu;
}

bool FitsSfv(const AlgorithmInfo& algorithm) {
    return algorithm.digestBytes == 4;
}

std::string NameForReport(std::string_view name) {
    if (name.find('\n') == std::string_view::npos) return std::string(name);
    return "\\" + Escaped(name, "\\\n");
}

}  // namespace tessik
