#include "digest/blake2b.h"

#include "digest/blake2_core.h"
#include "digest/digest_kernels.h"
#include "digest/sha2_constants.h"

namespace tessik {
namespace {

struct Blake2bTraits {
    using Word = std::uint64_t;
    static constexpr std::size_t kRounds = 12;
    static constexpr int kRotations[4] = {32, 24, 16, 63};
    static constexpr const Word (&kInitialWords)[8] = kSha512InitialWords;
};

}  // namespace

void Blake2bBlocksPortable(std::uint64_t h[8], const std::uint8_t* data, std::size_t blockCount,
                           std::uint64_t counter, bool last) {
    blake2::Blocks<Blake2bTraits>(h, data, blockCount, counter, last);
}

Blake2bEngine::Blake2bEngine() : Blake2Engine(kSha512InitialWords, 64) {}

Blake2bEngine::Kernel Blake2bEngine::ActiveKernel() const {
    return ActiveDigestKernels().blake2b;
}

}  // namespace tessik
