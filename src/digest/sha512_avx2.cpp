// SHA-512 for processors with AVX2 and BMI2.

#include "digest/digest_kernels.h"
#include "digest/sha512_vector.h"

namespace tessik {

void Sha512BlocksAvx2(std::uint64_t state[8], const std::uint8_t* data, std::size_t blockCount) {
    Sha512VectorBlocks(state, data, blockCount);
}

}  // namespace tessik
