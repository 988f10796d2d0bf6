#pragma once
// The Keccak-f[1600] permutation (FIPS 202), 24 rounds, on 25 lanes indexed x + 5y.

#include <cstddef>
#include <cstdint>

namespace tessik {

void KeccakF1600(std::uint64_t lanes[25]);

// XORs each of blockCount consecutive blocks of rateLanes little-endian 64-bit words into the
// first lanes and runs the permutation after each block.
void KeccakAbsorbBlocks(std::uint64_t lanes[25], const std::uint8_t* data, std::size_t blockCount,
                        std::size_t rateLanes);

}  // namespace tessik
