#include "digest/algorithm_catalogue.h"

#include <array>

#include "digest/blake3.h"
#include "digest/keccak.h"
#include "digest/md2.h"
#include "digest/md4.h"
#include "digest/md5.h"
#include "digest/sha1.h"
#include "digest/sha256.h"
#include "digest/sha512.h"
#include "digest/string_hashes.h"

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
using S = StringHash;

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
    AlgorithmInfo{"BLAKE3", "blake3", "BLAKE3", 32, Make<Blake3Engine>, kNothing},
};
// clang-format on

// Where an index outside the list lands, as it did when SDBM closed the list.
constexpr std::size_t kFallbackIndex = 24;
static_assert(kCatalogue[kFallbackIndex].id == "sdbm");

}  // namespace

std::span<const AlgorithmInfo> AlgorithmCatalogue() {
    return kCatalogue;
}

int AlgorithmCount() {
    return static_cast<int>(kCatalogue.size());
}

const AlgorithmInfo& AlgorithmForIndex(int index) {
    return index >= 0 && index < AlgorithmCount() ? kCatalogue[static_cast<std::size_t>(index)]
                                                   : kCatalogue[kFallbackIndex];
}

const AlgorithmInfo* AlgorithmWithId(std::string_view id) {
    for (const AlgorithmInfo& algorithm : kCatalogue) {
        if (algorithm.id == id) return &algorithm;
    }
    return nullptr;
}

}  // namespace tessik
