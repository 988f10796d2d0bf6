#include "cli/quoted_name.h"

#include <algorithm>
#include <vector>

#include "platform/path_encoding.h"
#include "platform/utf8_codec.h"

namespace tessik {
namespace {

enum class Kind {
    kPlain,         // safe as it is
    kShellSpecial,  // means something to a shell, or separates the parts of a message
    kUnprintable,   // prints nothing, or moves the cursor, or is no character at all
};

// One character of a name with its bytes.
struct Piece {
    std::string bytes;
    Kind kind = Kind::kPlain;
    bool fitsDoubleQuotes = false;  // may stand between double quotes as it is
};

bool IsUnprintable(char32_t code) {
    const bool control = code < 0x20 || (code >= 0x7F && code < 0xA0);
    const bool lineOrParagraphSeparator = code == 0x2028 || code == 0x2029;
    const bool nonCharacter = (code >= 0xFDD0 && code <= 0xFDEF) || (code & 0xFFFE) == 0xFFFE;
    // The path decoding carries each byte that is no UTF-8 as a lone surrogate.
    const bool undecodable = code >= 0xD800 && code <= 0xDFFF;
    return control || lineOrParagraphSeparator || nonCharacter || undecodable;
}

Kind AsciiKind(char c, bool first, bool alone) {
    constexpr std::string_view kSpecial = " !\"$&'()*:;<=>?[\\^`|";
    if (kSpecial.find(c) != std::string_view::npos) return Kind::kShellSpecial;
    if (first && (c == '#' || c == '~')) return Kind::kShellSpecial;
    if (alone && (c == '{' || c == '}')) return Kind::kShellSpecial;
    return Kind::kPlain;
}

bool AsciiFitsDoubleQuotes(char c) {
    constexpr std::string_view kFitting = " '%+,-./:@]_";
    return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') ||
           kFitting.find(c) != std::string_view::npos;
}

std::vector<Piece> Pieces(std::string_view name) {
    const std::u16string units = FromNativePath(name);
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < units.size();) {
        const bool pair = units[i] >= 0xD800 && units[i] < 0xDC00 && i + 1 < units.size() &&
                          units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
        const std::u16string_view character(units.data() + i, pair ? 2 : 1);
        const char32_t code = pair ? 0x10000 + ((char32_t{units[i]} - 0xD800) << 10) +
                                         (char32_t{units[i + 1]} - 0xDC00)
                                   : char32_t{units[i]};
        Piece piece{EncodeUtf8(character, LoneSurrogate::kAsRawByte)};
        if (IsUnprintable(code)) {
            piece.kind = Kind::kUnprintable;
        } else if (code < 0x80) {
            const char c = static_cast<char>(code);
            piece.kind = AsciiKind(c, i == 0, units.size() == 1);
            piece.fitsDoubleQuotes = AsciiFitsDoubleQuotes(c);
        } else {
            piece.fitsDoubleQuotes = true;
        }
        pieces.push_back(std::move(piece));
        i += character.size();
    }
    return pieces;
}

void AppendEscaped(unsigned char byte, std::string& out) {
    constexpr std::string_view kNamed = "abtnvfr";  // bytes 7 to 13
    out += '\\';
    if (byte >= 7 && byte <= 13) {
        out += kNamed[byte - 7];
        return;
    }
    out += static_cast<char>('0' + (byte >> 6));
    out += static_cast<char>('0' + ((byte >> 3) & 7));
    out += static_cast<char>('0' + (byte & 7));
}

// Each single quote closes the quotes, stands escaped and opens them again; a run of bytes that
// print nothing closes them and goes into $'...' of its own.
std::string SingleQuoted(const std::vector<Piece>& pieces) {
    std::string out = "'";
    bool inEscapes = false;
    for (const Piece& piece : pieces) {
        if (piece.kind == Kind::kUnprintable) {
            if (!inEscapes) out += "'$'";
            inEscapes = true;
            for (const char byte : piece.bytes)
                AppendEscaped(static_cast<unsigned char>(byte), out);
        } else if (piece.bytes == "'") {
            out += "'\\''";
            inEscapes = false;
        } else {
            if (inEscapes) out += "''";
            inEscapes = false;
            out += piece.bytes;
        }
    }
    return out + "'";
}

bool HasUnprintable(const std::vector<Piece>& pieces) {
    return std::any_of(pieces.begin(), pieces.end(),
                       [](const Piece& piece) { return piece.kind == Kind::kUnprintable; });
}

}  // namespace

std::string QuotedName(std::string_view name) {
    if (name.empty()) return "''";
    const std::vector<Piece> pieces = Pieces(name);
    const bool plain = std::all_of(pieces.begin(), pieces.end(),
                                   [](const Piece& piece) { return piece.kind == Kind::kPlain; });
    if (plain) return std::string(name);
    const bool singleQuote = name.find('\'') != std::string_view::npos;
    const bool fitsDoubleQuotes = std::all_of(
        pieces.begin(), pieces.end(), [](const Piece& piece) { return piece.fitsDoubleQuotes; });
    if (singleQuote && fitsDoubleQuotes) return "\"" + std::string(name) + "\"";
    return SingleQuoted(pieces);
}

std::string NameForOutput(std::string_view name, bool terminal) {
    if (terminal && HasUnprintable(Pieces(name))) return QuotedName(name);
    return std::string(name);
}

}  // namespace tessik
