#include "lists/checksum_line.h"

#include <algorithm>
#include <utility>

#include "digest/hex.h"

namespace tessik {
namespace {

constexpr std::string_view kWhitespace = " \t";

int HexValue(char c) {
    if (c <= '9') return c - '0';
    return (c | 0x20) - 'a' + 10;
}

char AsciiLowerByte(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLowerByte(x) == AsciiLowerByte(y);
           });
}

std::size_t HexRunLength(std::string_view text) {
    return static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), IsHexDigit) -
                                    text.begin());
}

// Some algorithm of the catalogue has a digest of this many bytes.
bool IsCatalogueSize(std::size_t bytes) {
    const auto catalogue = AlgorithmCatalogue();
    return std::any_of(catalogue.begin(), catalogue.end(),
                       [bytes](const AlgorithmInfo& a) { return a.digestBytes == bytes; });
}

Digest CatalogueDigest(std::string_view hex) {
    Digest digest = DigestFromHex(hex);
    if (!IsCatalogueSize(digest.size())) digest.clear();
    return digest;
}

// \\, \n and \r; false for any other escape or a lone backslash at the end.
bool Unescape(std::string& name) {
    std::string plain;
    plain.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] != '\\') {
            plain += name[i];
            continue;
        }
        if (++i == name.size()) return false;
        switch (name[i]) {
            case '\\':
                plain += '\\';
                break;
            case 'n':
                plain += '\n';
                break;
            case 'r':
                plain += '\r';
                break;
            default:
                return false;
        }
    }
    name.swap(plain);
    return true;
}

ChecksumLine Entry(LineForm form, std::string_view name, Digest digest) {
    ChecksumLine line;
    if (name.empty() || digest.empty()) return line;
    line.kind = LineKind::kEntry;
    line.form = form;
    line.name = std::string(name);
    line.digest = std::move(digest);
    return line;
}

// Each form below claims a line only when its digest is one some algorithm has, so that the next
// form gets the line otherwise.

// TAG (name) = digest. The digest holds no ')', so the last one closes the name whatever the
// name holds. A tag we do not know makes the line malformed.
bool ParseTagged(std::string_view text, ChecksumLine& line) {
    const std::size_t tagEnd = text.find_first_of(" (");
    if (tagEnd == 0 || tagEnd == std::string_view::npos) return false;
    const std::size_t open = text.find_first_not_of(' ', tagEnd);
    const std::size_t close = text.rfind(')');
    if (open == std::string_view::npos || text[open] != '(' || close == std::string_view::npos ||
        close <= open) {
        return false;
    }
    std::string_view rest = text.substr(close + 1);
    if (rest.starts_with(' ')) rest.remove_prefix(1);
    if (!rest.starts_with("= ")) return false;
    rest.remove_prefix(2);
    Digest digest = CatalogueDigest(rest);
    if (digest.empty()) return false;
    const AlgorithmInfo* algorithm = AlgorithmWithTag(text.substr(0, tagEnd));
    line = Entry(LineForm::kBsd, text.substr(open + 1, close - open - 1), std::move(digest));
    line.tagged = algorithm;
    if (algorithm == nullptr || line.digest.size() != algorithm->digestBytes) {
        line.kind = LineKind::kMalformed;
    }
    return true;
}

// digest␠␠name, digest␠*name, or one blank between them.
bool ParseGnu(std::string_view text, ChecksumLine& line) {
    const std::size_t digits = HexRunLength(text);
    if (digits == 0 || digits == text.size() || kWhitespace.find(text[digits]) == text.npos) {
        return false;
    }
    Digest digest = CatalogueDigest(text.substr(0, digits));
    if (digest.empty()) return false;
    std::string_view name = text.substr(digits + 1);
    const bool marked = name.starts_with(' ') || name.starts_with('*');
    if (marked) name.remove_prefix(1);
    line = Entry(LineForm::kGnu, name, std::move(digest));
    line.binary = marked && text[digits + 1] == '*';
    return true;
}

// name␠CRC: eight digits after the last blank, as SFV lists give a file's CRC. Blanks after them
// are passed over.
bool ParseSfv(std::string_view text, ChecksumLine& line) {
    constexpr std::size_t kDigits = 8;
    text = text.substr(0, text.find_last_not_of(kWhitespace) + 1);
    if (text.size() < kDigits + 2) return false;
    const std::size_t blank = text.size() - kDigits - 1;
    if (kWhitespace.find(text[blank]) == std::string_view::npos) return false;
    Digest digest = DigestFromHex(text.substr(blank + 1));
    if (digest.empty()) return false;
    line = Entry(LineForm::kSfv, text.substr(0, blank), std::move(digest));
    return true;
}

// path<separator>digest: the digest is the longest run of digits after a separator at the end.
// Looking from where the run starts keeps the work linear on a line of nothing but digits.
bool ParseSeparated(std::string_view text, std::string_view separator, ChecksumLine& line) {
    if (separator.empty()) return false;
    const std::size_t digitsFrom =
        text.size() - static_cast<std::size_t>(
                          std::find_if_not(text.rbegin(), text.rend(), IsHexDigit) - text.rbegin());
    for (std::size_t at = std::max(digitsFrom, separator.size()); at < text.size(); ++at) {
        if (text.substr(at - separator.size(), separator.size()) != separator) continue;
        Digest digest = CatalogueDigest(text.substr(at));
        if (digest.empty()) return false;
        line =
            Entry(LineForm::kSeparated, text.substr(0, at - separator.size()), std::move(digest));
        return true;
    }
    return false;
}

}  // namespace

ChecksumLine ParseChecksumLine(std::string_view text, std::string_view separator, bool sfvList) {
    ChecksumLine line;
    const std::size_t start = text.find_first_not_of(kWhitespace);
    if (start == std::string_view::npos || text[start] == '#' || text[start] == ';') {
        line.kind = LineKind::kSkipped;
        if (start != std::string_view::npos && text[start] == ';') line.form = LineForm::kSfv;
        return line;
    }
    // A NUL cannot be part of a name; a list that holds one is damaged.
    if (text.find('\0') != std::string_view::npos) return line;
    text.remove_prefix(start);
    const bool escaped = text.starts_with('\\');
    if (escaped) text.remove_prefix(1);
    // GNU first: its name may look like the end of a BSD line ("(a) = cafe0123"), while no tag
    // is a run of hexadecimal digits as long as a digest. SFV last, as its lines are the least
    // marked, unless the list is known to hold them.
    const bool parsed =
        sfvList ? ParseSfv(text, line) || ParseGnu(text, line) || ParseTagged(text, line)
                : ParseGnu(text, line) || ParseTagged(text, line) ||
                      (!escaped && ParseSeparated(text, separator, line)) || ParseSfv(text, line);
    if (!parsed) return line;
    if (escaped && line.kind == LineKind::kEntry && !Unescape(line.name)) {
        line.kind = LineKind::kMalformed;
    }
    return line;
}

Digest DigestFromHex(std::string_view hex) {
    if (hex.empty() || hex.size() % 2 != 0 || HexRunLength(hex) != hex.size()) return {};
    Digest digest(hex.size() / 2);
    for (std::size_t i = 0; i < digest.size(); ++i) {
        digest[i] = static_cast<std::uint8_t>(HexValue(hex[2 * i]) << 4 | HexValue(hex[2 * i + 1]));
    }
    return digest;
}

const AlgorithmInfo* AlgorithmWithTag(std::string_view tag) {
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        if (EqualIgnoringAsciiCase(tag, algorithm.listTag) ||
            EqualIgnoringAsciiCase(tag, algorithm.id)) {
            return &algorithm;
        }
    }
    // What OpenSSL writes where its name differs from both.
    constexpr std::pair<std::string_view, std::string_view> kOtherTags[] = {
        {"SHA2-512/224", "sha2-512-224"},
        {"SHA2-512/256", "sha2-512-256"},
    };
    for (const auto& [other, id] : kOtherTags) {
        if (EqualIgnoringAsciiCase(tag, other)) return AlgorithmWithId(id);
    }
    return nullptr;
}

}  // namespace tessik
