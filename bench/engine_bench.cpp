// Bytes per second of every engine on every path this machine runs, and of the string hashes,
// over a 1 MiB buffer in memory, beside OpenSSL's libcrypto on the same buffer as the yardstick.

#define OPENSSL_SUPPRESS_DEPRECATED
#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <openssl/md4.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "digest/digest_paths.h"
#include "digest/keccak.h"
#include "digest/md2.h"
#include "digest/md4.h"
#include "digest/md5.h"
#include "digest/sha1.h"
#include "digest/sha2.h"
#include "digest/string_hashes.h"
#include "engine_test_support.h"

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

using Hex = std::string (*)(const std::uint8_t* data, std::size_t length);

template <std::string (*kHex)(const std::uint8_t*, std::size_t, DigestVariant), DigestVariant kV>
std::string Sized(const std::uint8_t* data, std::size_t length) {
    return kHex(data, length, kV);
}

struct Engine {
    const char* name;
    Hex ours;
    const char* openSslName;  // null: no EVP digest to compare with
};

using V = DigestVariant;
const Engine kEngines[] = {
    {"MD2", Md2Hex, nullptr},  // beside the tests' textbook version instead
    {"MD4", Md4Hex, nullptr},
    {"MD5", Md5Hex, "MD5"},
    {"SHA-1", Sha1Hex, "SHA1"},
    {"SHA-224", Sized<Sha2Hex, V::k224>, "SHA224"},
    {"SHA-256", Sized<Sha2Hex, V::k256>, "SHA256"},
    {"SHA-384", Sized<Sha2Hex, V::k384>, "SHA384"},
    {"SHA-512", Sized<Sha2Hex, V::k512>, "SHA512"},
    {"KECCAK-224", Sized<KeccakHex, V::k224>, nullptr},
    {"KECCAK-256", Sized<KeccakHex, V::k256>, nullptr},
    {"KECCAK-384", Sized<KeccakHex, V::k384>, nullptr},
    {"KECCAK-512", Sized<KeccakHex, V::k512>, nullptr},
    {"SHA3-224", Sized<Sha3Hex, V::k224>, "SHA3-224"},
    {"SHA3-256", Sized<Sha3Hex, V::k256>, "SHA3-256"},
    {"SHA3-384", Sized<Sha3Hex, V::k384>, "SHA3-384"},
    {"SHA3-512", Sized<Sha3Hex, V::k512>, "SHA3-512"},
};

void Ours(benchmark::State& state, Hex hex, DigestPath path) {
    ForceDigestPath(path);
    const auto& buffer = Buffer();
    for (auto _ : state) benchmark::DoNotOptimize(hex(buffer.data(), buffer.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
    UseFastestDigestPaths();
}

void OpenSsl(benchmark::State& state, const char* name) {
    const std::unique_ptr<EVP_MD, decltype(&EVP_MD_free)> md(EVP_MD_fetch(nullptr, name, nullptr),
                                                             EVP_MD_free);
    const auto& buffer = Buffer();
    std::uint8_t digest[EVP_MAX_MD_SIZE];
    unsigned size = 0;
    for (auto _ : state) {
        EVP_Digest(buffer.data(), buffer.size(), digest, &size, md.get(), nullptr);
        benchmark::DoNotOptimize(digest);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
}

// MD4 is outside OpenSSL's default provider; its low-level call still reaches it.
void OpenSslMd4(benchmark::State& state) {
    const auto& buffer = Buffer();
    std::uint8_t digest[MD4_DIGEST_LENGTH];
    for (auto _ : state) {
        MD4(buffer.data(), buffer.size(), digest);
        benchmark::DoNotOptimize(digest);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
}

// MD2 has no OpenSSL counterpart here; the tests' straightforward table-driven version stands in.
void TextbookMd2(benchmark::State& state) {
    const auto& buffer = Buffer();
    for (auto _ : state) {
        benchmark::DoNotOptimize(testing::ReferenceMd2Hex(buffer.data(), buffer.size()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
}

void StringHashes(benchmark::State& state, StringHash hash) {
    const auto& buffer = Buffer();
    for (auto _ : state) {
        benchmark::DoNotOptimize(StringHashHex(hash, buffer.data(), buffer.size()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
}

void RegisterAll() {
    for (const Engine& engine : kEngines) {
        for (DigestPath path : SupportedDigestPaths()) {
            const std::string name =
                std::string(engine.name) + "/" + std::string(DigestPathName(path));
            benchmark::RegisterBenchmark(name.c_str(), Ours, engine.ours, path);
        }
        const std::string reference = std::string(engine.name) + "/openssl";
        if (engine.openSslName != nullptr) {
            benchmark::RegisterBenchmark(reference.c_str(), OpenSsl, engine.openSslName);
        } else if (std::string(engine.name) == "MD4") {
            benchmark::RegisterBenchmark(reference.c_str(), OpenSslMd4);
        } else if (std::string(engine.name) == "MD2") {
            benchmark::RegisterBenchmark("MD2/textbook", TextbookMd2);
        }
    }
    const char* const names[] = {"AK", "BKDR", "DEK", "DJB", "ELF", "JS", "PJW", "RS", "SDBM"};
    for (int selector = 1; selector <= 9; ++selector) {
        benchmark::RegisterBenchmark(names[selector - 1], StringHashes,
                                     static_cast<StringHash>(selector));
    }
}

}  // namespace
}  // namespace tessik

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    tessik::RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
