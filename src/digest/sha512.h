#pragma once
// SHA-384 and SHA-512 (FIPS 180-4): one engine, two sets of initial words and digest lengths.

#include <cstddef>
#include <cstdint>

#include "digest/algorithm_catalogue.h"

namespace tessik {

struct Sha512Context {
    std::uint64_t total;  // bytes fed so far
    std::size_t fill;     // bytes waiting in block, 0 to 127 between calls
    std::uint32_t digestSize;
    std::uint64_t h[8];
    std::uint8_t block[128];
};

// DigestVariant::k384 starts SHA-384; every other value SHA-512.
void Sha512Init(Sha512Context& context, DigestVariant variant);
void Sha512Update(Sha512Context& context, const std::uint8_t* data, std::size_t length);
// Writes 48 or 64 bytes; the context is spent afterwards.
void Sha512Finish(Sha512Context& context, std::uint8_t* digest);

// The compression function over blockCount consecutive 128-byte blocks.
void Sha512Blocks(std::uint64_t state[8], const std::uint8_t* data, std::size_t blockCount);

}  // namespace tessik
