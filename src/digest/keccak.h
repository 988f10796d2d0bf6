#pragma once
// The Keccak sponge with a capacity of twice the digest size, and the two families on it: the
// Keccak submission's padding (first padding byte 01) and SHA-3's (06, FIPS 202).

#include <cstddef>
#include <cstdint>
#include <string>

#include "digest/algorithm_catalogue.h"

namespace tessik {

enum class KeccakPadding : std::uint8_t { kKeccak = 0x01, kSha3 = 0x06 };

struct KeccakSponge {
    std::uint64_t lanes[25];
    std::uint32_t rate;        // bytes per block: 200 - 2 * digestSize
    std::uint32_t digestSize;  // 28, 32, 48 or 64
    std::uint32_t buffered;    // bytes already XORed into the current block, below rate
    KeccakPadding padding;
};

// Variant 0 gives 28 digest bytes, 1 gives 32, 2 gives 48, any other value 64.
void KeccakInit(KeccakSponge& sponge, DigestVariant variant, KeccakPadding padding);
void KeccakUpdate(KeccakSponge& sponge, const std::uint8_t* data, std::size_t length);
// Writes digestSize bytes; the sponge is spent afterwards.
void KeccakFinish(KeccakSponge& sponge, std::uint8_t* digest);

// Lower-case hexadecimal digests; data may be null when length is 0.
std::string KeccakHex(const std::uint8_t* data, std::size_t length, DigestVariant variant);
std::string Sha3Hex(const std::uint8_t* data, std::size_t length, DigestVariant variant);

}  // namespace tessik
