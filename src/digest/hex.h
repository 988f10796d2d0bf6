#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "digest/digest_engine.h"

namespace tessik {

// Two lower-case hexadecimal digits per byte, in order, nothing between them.
std::string HexDigest(const std::uint8_t* bytes, std::size_t count);
// A digest as every window, list and line shows it: its digits in the letter case chosen.
std::string HexDigest(const Digest& digest, bool lowerCase = true);

// 0-9, a-f and A-F, in text of any character type.
constexpr bool IsHexDigit(char32_t c) {
    return (c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'f') || (c >= U'A' && c <= U'F');
}

// ASCII rule only: a-z become A-Z, every other byte stays.
std::string AsciiUpper(std::string text);

}  // namespace tessik
