#include "digest/keccak_f1600.h"

#include "digest/digest_kernels.h"
#include "digest/keccak_scalar.h"

namespace tessik {

void KeccakPermutePortable(std::uint64_t lanes[25]) {
    ScalarPermute(lanes);
}

void KeccakAbsorbPortable(std::uint64_t lanes[25], const std::uint8_t* data, std::size_t blockCount,
                          std::size_t rateLanes) {
    ScalarAbsorb(lanes, data, blockCount, rateLanes);
}

void KeccakF1600(std::uint64_t lanes[25]) {
    ActiveDigestKernels().keccakPermute(lanes);
}

void KeccakAbsorbBlocks(std::uint64_t lanes[25], const std::uint8_t* data, std::size_t blockCount,
                        std::size_t rateLanes) {
    ActiveDigestKernels().keccakAbsorb(lanes, data, blockCount, rateLanes);
}

}  // namespace tessik
