// BLAKE2b and BLAKE2s with their rows in AVX2 registers.

#include "digest/blake2_vector.h"
#include "digest/digest_kernels.h"

namespace tessik {

void Blake2bBlocksAvx2(std::uint64_t h[8], const std::uint8_t* data, std::size_t blockCount,
                       std::uint64_t counter, bool last) {
    Blake2VectorBlocks<WideRows>(h, data, blockCount, counter, last);
}

void Blake2sBlocksAvx2(std::uint32_t h[8], const std::uint8_t* data, std::size_t blockCount,
                       std::uint64_t counter, bool last) {
    Blake2VectorBlocks<NarrowRows>(h, data, blockCount, counter, last);
}

}  // namespace tessik
