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
constexpr std::uint64_t kInitial512t224[8] = {
    0x8c3d37c819544da2, 0x73e1996689dcd4d6, 0x1dfab7ae32ff9c82, 0x679dd514582f9fcf,
    0x0f6d2b697bd44da8, 0x77e36f7304c48942, 0x3f9d85a86a1d36c8, 0x1112e6ad91d692a1,
};
constexpr std::uint64_t kInitial512t256[8] = {
    0x22312194fc2bf72c, 0x9f555fa3c84c64c2, 0x2393b86b6f53b151, 0x963877195940eabd,
    0x96283ee2a88effe3, 0xbe5e1e2553863992, 0x2b0199fc2c85b8aa, 0x0eb72ddc81c52ca2,
};

const std::uint64_t (&InitialWords(std::size_t digestBytes))[8] {
    switch (digestBytes) {
        case 28:
            return kInitial512t224;
        case 32:
            return kInitial512t256;
        case 48:
            return kInitial384;
        default:
            return kSha512InitialWords;
    }
}

}  // namespace

void Sha512BlocksPortable(std::uint64_t state[8], const std::uint8_t* data,
                          std::size_t blockCount) {
    sha2::Blocks<Sha512Traits>(state, data, blockCount);
}

Sha512Engine::Sha512Engine(std::size_t digestBytes)
    : Sha2Engine(InitialWords(digestBytes),
                 digestBytes == 28 || digestBytes == 32 || digestBytes == 48 ? digestBytes : 64) {}

Sha512Engine::Kernel Sha512Engine::ActiveKernel() const {
    return ActiveDigestKernels().sha512;
}

}  // namespace tessik
