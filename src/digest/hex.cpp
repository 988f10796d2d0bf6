#include "digest/hex.h"

#include <utility>

namespace tessik {

std::string HexDigest(const std::uint8_t* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(count * 2, '0');
    for (std::size_t i = 0; i < count; ++i) {
        text[2 * i] = kDigits[bytes[i] >> 4];
        text[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::string HexDigest(const Digest& digest, bool lowerCase) {
    std::string hex = HexDigest(digest.data(), digest.size());
    return lowerCase ? hex : AsciiUpper(std::move(hex));
}

std::string AsciiUpper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

}  // namespace tessik
