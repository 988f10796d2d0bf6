#pragma once
// SHA-224 and SHA-256 (FIPS 180-4): one engine, two sets of initial words and digest lengths.

#include <cstddef>
#include <cstdint>

#include "digest/algorithm_catalogue.h"

namespace tessik {

struct Sha256Context {
    std::uint64_t total;  // bytes fed so far
    std::size_t fill;     // bytes waiting in block, 0 to 63 between calls
    std::uint32_t digestSize;
    std::uint32_t h[8];
    std::uint8_t block[64];
};

// DigestVariant::k224 starts SHA-224; every other value SHA-256.
void Sha256Init(Sha256Context& context, DigestVariant variant);
void Sha256Update(Sha256Context& context, const std::uint8_t* data, std::size_t length);
// Writes 28 or 32 bytes; the context is spent afterwards.
void Sha256Finish(Sha256Context& context, std::uint8_t* digest);

// The compression function over blockCount consecutive 64-byte blocks.
void Sha256Blocks(std::uint32_t state[8], const std::uint8_t* data, std::size_t blockCount);

}  // namespace tessik
