// Keccak-f[1600] for processors with BMI1 and BMI2: the portable rounds, compiled so that
// chi's and-not is one instruction and rotates need no copies.

#include "digest/digest_kernels.h"
#include "digest/keccak_scalar.h"

namespace tessik {

void KeccakPermuteBmi(std::uint64_t lanes[25]) {
    ScalarPermute(lanes);
}

void KeccakAbsorbBmi(std::uint64_t lanes[25], const std::uint8_t* data, std::size_t blockCount,
                     std::size_t rateLanes) {
    ScalarAbsorb(lanes, data, blockCount, rateLanes);
}

}  // namespace tessik
