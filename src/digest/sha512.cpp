#include "digest/sha512.h"

#include <bit>

#include "digest/digest_kernels.h"
#include "digest/sha2_constants.h"
#include "digest/sha2_core.h"

namespace tessik {
namespace {

struct Sha512Traits {
    using Word = std::uint64_t;
    static constexpr std::size_t kRounds = 80;
    static constexpr const Word (&kConstants)[kRounds] = kSha512RoundConstants;
    static Word BigSigma0(Word x) { return std::rotr(x, 28) ^ std::rotr(x, 34) ^ std::rotr(x, 39); }
    static Word BigSigma1(Word x) { return std::rotr(x, 14) ^ std::rotr(x, 18) ^ std::rotr(x, 41); }
    static Word SmallSigma0(Word x) { return std::rotr(x, 1) ^ std::rotr(x, 8) ^ (x >> 7); }
    static Word SmallSigma1(Word x) { return std::rotr(x, 19) ^ std::rotr(x, 61) ^ (x >> 6); }
};

constexpr std::uint64_t kInitial384[8] = {
    0xcbbb9d5dc1059ed8, 0x629a292a367cd507, 0x9159015a3070dd17, 0x152fecd8f70e5939,
    0x67332667ffc00b31, 0x8eb44a8768581511, 0xdb0c2e0d64f98fa7, 0x47b5481dbefa4fa4,
};
constexpr std::uint64_t kInitial512[8] = {
    0x6a09e667f3bcc908, 0xbb67ae8584caa73b, 0x3c6ef372fe94f82b, 0xa54ff53a5f1d36f1,
    0x510e527fade682d1, 0x9b05688c2b3e6c1f, 0x1f83d9abfb41bd6b, 0x5be0cd19137e2179,
};

}  // namespace

void Sha512BlocksPortable(std::uint64_t state[8], const std::uint8_t* data,
                          std::size_t blockCount) {
    sha2::Blocks<Sha512Traits>(state, data, blockCount);
}

Sha512Engine::Sha512Engine(std::size_t digestBytes)
    : Sha2Engine(digestBytes == 48 ? kInitial384 : kInitial512, digestBytes == 48 ? 48 : 64) {}

Sha512Engine::Kernel Sha512Engine::ActiveKernel() const {
    return ActiveDigestKernels().sha512;
}

}  // namespace tessik
