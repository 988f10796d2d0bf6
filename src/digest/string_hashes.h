#pragma once
// The nine small 32-bit hashes of the catalogue, "AK" to "SDBM". Every byte enters as a signed
// 8-bit value widened with its sign, every step wraps modulo 2^32, and the result keeps 31 bits.
// The streaming form takes the input in pieces of any size (a file goes through in large
// buffers) and gives the same value as the whole input at once.

#include <cstddef>
#include <cstdint>
#include <string>

#include "digest/algorithm_catalogue.h"

namespace tessik {

struct StringHashState {
    StringHash hash = StringHash::kSdbm;
    std::uint32_t value = 0;
    std::uint32_t multiplier = 0;  // RS: the factor for the next byte
    std::uint64_t length = 0;      // bytes folded in so far
};

// A value of `hash` outside AK to RS runs SDBM.
void StringHashInit(StringHashState& state, StringHash hash);
void StringHashUpdate(StringHashState& state, const std::uint8_t* data, std::size_t length);
// The 31-bit result of everything folded in so far; the state stays usable.
std::uint32_t StringHashFinish(const StringHashState& state);

// Four bytes least significant first, two lower-case digits each: 5381 is "05150000".
std::string StringHashValueHex(std::uint32_t value);
std::string StringHashHex(StringHash hash, const std::uint8_t* data, std::size_t length);

}  // namespace tessik
