// Bytes per second of each engine over a 1 MiB buffer in memory.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "digest/keccak.h"
#include "digest/md2.h"
#include "digest/md4.h"
#include "digest/md5.h"
#include "digest/sha1.h"
#include "digest/sha2.h"
#include "digest/string_hashes.h"

namespace tessik {
namespace {

constexpr std::size_t kBufferBytes = std::size_t{1} << 20;

const std::vector<std::uint8_t>& Buffer() {
    static const std::vector<std::uint8_t> buffer = [] {
        std::vector<std::uint8_t> bytes(kBufferBytes);
        std::mt19937 random(1);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
        return bytes;
    }();
    return buffer;
}

using HexFunction = std::string (*)(const std::uint8_t* data, std::size_t length);

void BM_Engine(benchmark::State& state, HexFunction hex) {
    const auto& buffer = Buffer();
    for (auto _ : state) benchmark::DoNotOptimize(hex(buffer.data(), buffer.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
}

BENCHMARK_CAPTURE(BM_Engine, MD2, Md2Hex);
BENCHMARK_CAPTURE(BM_Engine, MD4, Md4Hex);
BENCHMARK_CAPTURE(BM_Engine, MD5, Md5Hex);
BENCHMARK_CAPTURE(BM_Engine, SHA1, Sha1Hex);

using VariantHexFunction = std::string (*)(const std::uint8_t* data, std::size_t length,
                                           DigestVariant variant);

void BM_Variant(benchmark::State& state, VariantHexFunction hex, DigestVariant variant) {
    const auto& buffer = Buffer();
    for (auto _ : state) benchmark::DoNotOptimize(hex(buffer.data(), buffer.size(), variant));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
}

BENCHMARK_CAPTURE(BM_Variant, SHA2_224, Sha2Hex, DigestVariant::k224);
BENCHMARK_CAPTURE(BM_Variant, SHA2_256, Sha2Hex, DigestVariant::k256);
BENCHMARK_CAPTURE(BM_Variant, SHA2_384, Sha2Hex, DigestVariant::k384);
BENCHMARK_CAPTURE(BM_Variant, SHA2_512, Sha2Hex, DigestVariant::k512);
BENCHMARK_CAPTURE(BM_Variant, KECCAK_224, KeccakHex, DigestVariant::k224);
BENCHMARK_CAPTURE(BM_Variant, KECCAK_256, KeccakHex, DigestVariant::k256);
BENCHMARK_CAPTURE(BM_Variant, KECCAK_384, KeccakHex, DigestVariant::k384);
BENCHMARK_CAPTURE(BM_Variant, KECCAK_512, KeccakHex, DigestVariant::k512);
BENCHMARK_CAPTURE(BM_Variant, SHA3_224, Sha3Hex, DigestVariant::k224);
BENCHMARK_CAPTURE(BM_Variant, SHA3_256, Sha3Hex, DigestVariant::k256);
BENCHMARK_CAPTURE(BM_Variant, SHA3_384, Sha3Hex, DigestVariant::k384);
BENCHMARK_CAPTURE(BM_Variant, SHA3_512, Sha3Hex, DigestVariant::k512);

void BM_StringHash(benchmark::State& state, StringHash hash) {
    const auto& buffer = Buffer();
    for (auto _ : state) {
        benchmark::DoNotOptimize(StringHashHex(hash, buffer.data(), buffer.size()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
}

BENCHMARK_CAPTURE(BM_StringHash, AK, StringHash::kAk);
BENCHMARK_CAPTURE(BM_StringHash, BKDR, StringHash::kBkdr);
BENCHMARK_CAPTURE(BM_StringHash, DEK, StringHash::kDek);
BENCHMARK_CAPTURE(BM_StringHash, DJB, StringHash::kDjb);
BENCHMARK_CAPTURE(BM_StringHash, ELF, StringHash::kElf);
BENCHMARK_CAPTURE(BM_StringHash, JS, StringHash::kJs);
BENCHMARK_CAPTURE(BM_StringHash, PJW, StringHash::kPjw);
BENCHMARK_CAPTURE(BM_StringHash, RS, StringHash::kRs);
BENCHMARK_CAPTURE(BM_StringHash, SDBM, StringHash::kSdbm);

}  // namespace
}  // namespace tessik
