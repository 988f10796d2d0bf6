#include "digest/algorithm_catalogue.h"

#include <array>

#include "digest/blake2b.h"
#include "digest/blake2s.h"
#include "digest/blake3.h"
#include "digest/crc32.h"
#include "digest/keccak.h"
#include "digest/md2.h"
#include "digest/md4.h"
#include "digest/md5.h"
#include "digest/sha1.h"
#include "digest/sha256.h"
#include "digest/sha512.h"
#include "digest/string_hashes.h"
#include "digest/xxhash_engine.h"

namespace tessik {
namespace {

template <typename Engine, auto... kArguments>
std::unique_ptr<DigestEngine> Make() {
    return std::make_unique<Engine>(kArguments...);
}

constexpr std::string_view kNothing = "";
constexpr std::string_view kZero = "00000000";
constexpr auto kKeccak = KeccakPadding::kKeccak;
constexpr auto kSha3 = KeccakPadding::kSha3;
constexpr auto kIeee = CrcPolynomial::kIeee;
constexpr auto kCastagnoli = CrcPolynomial::kCastagnoli;
using S = StringHash;
using X = XxhashVariant;

// clang-format off
constexpr std::array kCatalogue = {
    AlgorithmInfo{"MD2", "md2", "MD2", 16, Make<Md2Engine>, kNothing},
    AlgorithmInfo{"MD4", "md4", "MD4", 16, Make<Md4Engine>, kNothing},
    AlgorithmInfo{"MD5", "md5", "MD5", 16, Make<Md5Engine>, kNothing},
    AlgorithmInfo{"SHA-1", "sha1", "SHA1", 20, Make<Sha1Engine>, kNothing},
    AlgorithmInfo{"SHA-2(224)", "sha2-224", "SHA224", 28, Make<Sha256Engine, 28>, kNothing},
    AlgorithmInfo{"SHA-2(256)", "sha2-256", "SHA256", 32, Make<Sha256Engine, 32>, kNothing},
    AlgorithmInfo{"SHA-2(384)", "sha2-384", "SHA384", 48, Make<Sha512Engine, 48>, kNothing},
    AlgorithmInfo{"SHA-2(512)", "sha2-512", "SHA512", 64, Make<Sha512Engine, 64>, kNothing},
    AlgorithmInfo{"KECCAK(224)", "keccak-224", "KECCAK-224", 28, Make<KeccakEngine, 28, kKeccak>, kNothing},
    AlgorithmInfo{"KECCAK(256)", "keccak-256", "KECCAK-256", 32, Make<KeccakEngine, 32, kKeccak>, kNothing},
    AlgorithmInfo{"KECCAK(384)", "keccak-384", "KECCAK-384", 48, Make<KeccakEngine, 48, kKeccak>, kNothing},
    AlgorithmInfo{"KECCAK(512)", "keccak-512", "KECCAK-512", 64, Make<KeccakEngine, 64, kKeccak>, kNothing},
    AlgorithmInfo{"SHA-3(224)", "sha3-224", "SHA3-224", 28, Make<KeccakEngine, 28, kSha3>, kNothing},
    AlgorithmInfo{"SHA-3(256)", "sha3-256", "SHA3-256", 32, Make<KeccakEngine, 32, kSha3>, kNothing},
    AlgorithmInfo{"SHA-3(384)", "sha3-384", "SHA3-384", 48, Make<KeccakEngine, 48, kSha3>, kNothing},
    AlgorithmInfo{"SHA-3(512)", "sha3-512", "SHA3-512", 64, Make<KeccakEngine, 64, kSha3>, kNothing},
    AlgorithmInfo{"AK", "ak", "AK", 4, Make<StringHashEngine, S::kAk>, kZero},
    AlgorithmInfo{"BKDR", "bkdr", "BKDR", 4, Make<StringHashEngine, S::kBkdr>, kZero},
    AlgorithmInfo{"DEK", "dek", "DEK", 4, Make<StringHashEngine, S::kDek>, kZero},
    AlgorithmInfo{"DJB", "djb", "DJB", 4, Make<StringHashEngine, S::kDjb>, kZero},
    AlgorithmInfo{"ELF", "elf", "ELF", 4, Make<StringHashEngine, S::kElf>, kZero},
    AlgorithmInfo{"JS", "js", "JS", 4, Make<StringHashEngine, S::kJs>, kZero},
    AlgorithmInfo{"PJW", "pjw", "PJW", 4, Make<StringHashEngine, S::kPjw>, kZero},
    AlgorithmInfo{"RS", "rs", "RS", 4, Make<StringHashEngine, S::kRs>, kZero},
    AlgorithmInfo{"SDBM", "sdbm", "SDBM", 4, Make<StringHashEngine, S::kSdbm>, kZero},
    AlgorithmInfo{"CRC-32", "crc32", "CRC32", 4, Make<Crc32Engine, kIeee>, kNothing},
    AlgorithmInfo{"CRC-32C", "crc32c", "CRC32C", 4, Make<Crc32Engine, kCastagnoli>, kNothing},
    AlgorithmInfo{"XXH32", "xxh32", "XXH32", 4, Make<XxhashEngine, X::kXxh32>, kNothing},
    AlgorithmInfo{"XXH64", "xxh64", "XXH64", 8, Make<XxhashEngine, X::kXxh64>, kNothing},
    AlgorithmInfo{"XXH3-64", "xxh3", "XXH3", 8, Make<XxhashEngine, X::kXxh3>, kNothing},
    AlgorithmInfo{"XXH3-128", "xxh128", "XXH128", 16, Make<XxhashEngine, X::kXxh128>, kNothing},
    AlgorithmInfo{"BLAKE2b(512)", "blake2b-512", "BLAKE2b", 64, Make<Blake2bEngine>, kNothing},
    AlgorithmInfo{"BLAKE2s(256)", "blake2s-256", "BLAKE2s", 32, Make<Blake2sEngine>, kNothing},
    AlgorithmInfo{"BLAKE3", "blake3", "BLAKE3", 32, Make<Blake3Engine>, kNothing},
    AlgorithmInfo{"SHA-2(512/224)", "sha2-512-224", "SHA512/224", 28, Make<Sha512Engine, 28>, kNothing},
    AlgorithmInfo{"SHA-2(512/256)", "sha2-512-256", "SHA512/256", 32, Make<Sha512Engine, 32>, kNothing},
};

// SDBM's row, which an index outside the list has always run: it was the last row before the
// list grew.
constexpr std::size_t kFallbackRow = 24;
static_assert(kCatalogue[kFallbackRow].id == "sdbm");
// clang-format on

}  // namespace

std::span<const AlgorithmInfo> AlgorithmCatalogue() {
    return kCatalogue;
}

int AlgorithmCount() {
    return static_cast<int>(kCatalogue.size());
}

const AlgorithmInfo& AlgorithmForIndex(int index) {
    return index >= 0 && index < AlgorithmCount() ? kCatalogue[static_cast<std::size_t>(index)]
                                                  : kCatalogue[kFallbackRow];
}

AlgorithmSet EveryAlgorithm() {
    AlgorithmSet all;
    for (const AlgorithmInfo& algorithm : kCatalogue) all.push_back(&algorithm);
    return all;
}

const AlgorithmInfo* AlgorithmWithId(std::string_view id) {
    for (const AlgorithmInfo& algorithm : kCatalogue) {
        if (algorithm.id == id) return &algorithm;
    }
    return nullptr;
}

}  // namespace tessik
