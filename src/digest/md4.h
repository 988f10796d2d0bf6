#pragma once
// MD4 (RFC 1320): 64-byte blocks, three rounds of sixteen steps, little-endian words.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tessik {

struct Md4Context {
    std::uint32_t state[4];
    std::uint64_t bitCount;   // message length in bits, modulo 2^64
    std::uint8_t buffer[64];  // the partial block: (bitCount / 8) mod 64 bytes
};

void Md4Init(Md4Context& context);
void Md4Update(Md4Context& context, const std::uint8_t* data, std::size_t length);
// Leaves the context zeroed: no message bytes stay behind in it.
void Md4Finish(Md4Context& context, std::uint8_t digest[16]);

std::array<std::uint8_t, 16> Md4Digest(const std::uint8_t* data, std::size_t length);
// 32 lower-case hexadecimal digits.
std::string Md4Hex(const std::uint8_t* data, std::size_t length);

}  // namespace tessik
