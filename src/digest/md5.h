#pragma once
// MD5 (RFC 1321): 64-byte blocks, four rounds of sixteen steps, little-endian words.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tessik {

// Keeps no running length: whoever feeds it knows the total and passes it to Md5Finish.
struct Md5Context {
    std::uint32_t state[4];
    std::uint8_t buffer[64];
    std::size_t fill;  // bytes in buffer, 0-63 between calls
};

void Md5Init(Md5Context& context);
void Md5Update(Md5Context& context, const std::uint8_t* data, std::size_t length);
// Pads and encodes `totalBytes` (as 8 * totalBytes modulo 2^64 bits) into the last block.
void Md5Finish(Md5Context& context, std::uint64_t totalBytes, std::uint8_t digest[16]);

std::array<std::uint8_t, 16> Md5Digest(const std::uint8_t* data, std::size_t length);
// 32 lower-case hexadecimal digits.
std::string Md5Hex(const std::uint8_t* data, std::size_t length);

}  // namespace tessik
