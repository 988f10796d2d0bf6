#pragma once
// MD2 (RFC 1319): 16-byte blocks, a 48-byte state and a running checksum; byte-serial by nature.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tessik {

struct Md2Context {
    std::uint8_t block[16];  // input not yet transformed
    std::uint8_t state[48];  // the first 16 bytes are the digest at the end
    std::uint8_t checksum[16];
    std::size_t fill;  // bytes in block, 0-15 between calls
};

void Md2Init(Md2Context& context);
void Md2Update(Md2Context& context, const std::uint8_t* data, std::size_t length);
void Md2Finish(Md2Context& context, std::uint8_t digest[16]);

std::array<std::uint8_t, 16> Md2Digest(const std::uint8_t* data, std::size_t length);
// 32 lower-case hexadecimal digits.
std::string Md2Hex(const std::uint8_t* data, std::size_t length);

}  // namespace tessik
