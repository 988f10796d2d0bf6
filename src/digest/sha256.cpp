#include "digest/sha256.h"

#include <bit>

#include "digest/digest_kernels.h"
#include "digest/sha2_constants.h"
#include "digest/sha2_core.h"

namespace tessik {
namespace {

struct Sha256Traits {
    using Word = std::uint32_t;
    static constexpr std::size_t kRounds = 64;
    static constexpr const Word (&kConstants)[kRounds] = kSha256RoundConstants;
    static Word BigSigma0(Word x) { return std::rotr(x, 2) ^ std::rotr(x, 13) ^ std::rotr(x, 22); }
    static Word BigSigma1(Word x) { return std::rotr(x, 6) ^ std::rotr(x, 11) ^ std::rotr(x, 25); }
    static Word SmallSigma0(Word x) { return std::rotr(x, 7) ^ std::rotr(x, 18) ^ (x >> 3); }
    static Word SmallSigma1(Word x) { return std::rotr(x, 17) ^ std::rotr(x, 19) ^ (x >> 10); }
};

constexpr std::uint32_t kInitial224[8] = {0xc1059ed8, 0x367cd507, 0x3070dd17, 0xf70e5939,
                                          0xffc00b31, 0x68581511, 0x64f98fa7, 0xbefa4fa4};

}  // namespace

void Sha256BlocksPortable(std::uint32_t state[8], const std::uint8_t* data,
                          std::size_t blockCount) {
    sha2::Blocks<Sha256Traits>(state, data, blockCount);
}

Sha256Engine::Sha256Engine(std::size_t digestBytes)
    : Sha2Engine(digestBytes == 28 ? kInitial224 : kSha256InitialWords,
                 digestBytes == 28 ? 28 : 32) {}

Sha256Engine::Kernel Sha256Engine::ActiveKernel() const {
    return ActiveDigestKernels().sha256;
}

}  // namespace tessik
