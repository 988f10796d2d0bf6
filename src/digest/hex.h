#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "digest/digest_engine.h"

namespace tessik {

// Two lower-case hexadecimal digits per byte, in order, nothing between them.
std::string HexDigest(const std::uint8_t* bytes, std::size_t count);
std::string HexDigest(const Digest& digest);

// ASCII rule only: a-z become A-Z, every other byte stays.
std::string AsciiUpper(std::string text);

}  // namespace tessik
