#include "digest/blake2s.h"

#include "digest/blake2_core.h"
#include "digest/digest_kernels.h"
#include "digest/sha2_constants.h"

namespace tessik {
namespace {

struct Blake2sTraits {
    using Word = std::uint32_t;
    static constexpr std::size_t kRounds = 10;
    static constexpr int kRotations[4] = {16, 12, 8, 7};
    static constexpr const Word (&kInitialWords)[8] = kSha256InitialWords;
};

}  // namespace

void Blake2sBlocksPortable(std::uint32_t h[8], const std::uint8_t* data, std::size_t blockCount,
                           std::uint64_t counter, bool last) {
    blake2::Blocks<Blake2sTraits>(h, data, blockCount, counter, last);
}

Blake2sEngine::Blake2sEngine() : Blake2Engine(kSha256InitialWords, 32) {}

Blake2sEngine::Kernel Blake2sEngine::ActiveKernel() const {
    return ActiveDigestKernels().blake2s;
}

}  // namespace tessik
