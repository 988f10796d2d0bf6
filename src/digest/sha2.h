#pragma once
// The SHA-2 family as the catalogue serves it: one entry point over both engines.

#include <cstddef>
#include <cstdint>
#include <string>

#include "digest/algorithm_catalogue.h"

namespace tessik {

// SHA-224, SHA-256 and SHA-384 for their variants; any other value runs SHA-512. Lower-case
// hexadecimal text of 56, 64, 96 or 128 characters. data may be null when length is 0.
std::string Sha2Hex(const std::uint8_t* data, std::size_t length, DigestVariant variant);

}  // namespace tessik
