#include "digest/algorithm_catalogue.h"

namespace tessik {
namespace {

using F = AlgorithmFamily;
using V = DigestVariant;
using S = StringHash;

constexpr std::array<AlgorithmInfo, kAlgorithmCount> kCatalogue{{
    {"MD2", F::kMd2, V::k512, S::kSdbm, 16},
    {"MD4", F::kMd4, V::k512, S::kSdbm, 16},
    {"MD5", F::kMd5, V::k512, S::kSdbm, 16},
    {"SHA-1", F::kSha1, V::k512, S::kSdbm, 20},
    {"SHA-2(224)", F::kSha2, V::k224, S::kSdbm, 28},
    {"SHA-2(256)", F::kSha2, V::k256, S::kSdbm, 32},
    {"SHA-2(384)", F::kSha2, V::k384, S::kSdbm, 48},
    {"SHA-2(512)", F::kSha2, V::k512, S::kSdbm, 64},
    {"KECCAK(224)", F::kKeccak, V::k224, S::kSdbm, 28},
    {"KECCAK(256)", F::kKeccak, V::k256, S::kSdbm, 32},
    {"KECCAK(384)", F::kKeccak, V::k384, S::kSdbm, 48},
    {"KECCAK(512)", F::kKeccak, V::k512, S::kSdbm, 64},
    {"SHA-3(224)", F::kSha3, V::k224, S::kSdbm, 28},
    {"SHA-3(256)", F::kSha3, V::k256, S::kSdbm, 32},
    {"SHA-3(384)", F::kSha3, V::k384, S::kSdbm, 48},
    {"SHA-3(512)", F::kSha3, V::k512, S::kSdbm, 64},
    {"AK", F::kStringHash, V::k512, S::kAk, 4},
    {"BKDR", F::kStringHash, V::k512, S::kBkdr, 4},
    {"DEK", F::kStringHash, V::k512, S::kDek, 4},
    {"DJB", F::kStringHash, V::k512, S::kDjb, 4},
    {"ELF", F::kStringHash, V::k512, S::kElf, 4},
    {"JS", F::kStringHash, V::k512, S::kJs, 4},
    {"PJW", F::kStringHash, V::k512, S::kPjw, 4},
    {"RS", F::kStringHash, V::k512, S::kRs, 4},
    {"SDBM", F::kStringHash, V::k512, S::kSdbm, 4},
}};

}  // namespace

const std::array<AlgorithmInfo, kAlgorithmCount>& AlgorithmCatalogue() { return kCatalogue; }

const AlgorithmInfo& AlgorithmForIndex(int index) {
    return index >= 0 && index < kAlgorithmCount ? kCatalogue[index] : kCatalogue.back();
}

}  // namespace tessik
