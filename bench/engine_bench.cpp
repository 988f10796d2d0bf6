// Bytes per second of every engine on every path this machine runs, and of the string hashes,
// over a 1 MiB buffer in memory, beside OpenSSL's libcrypto on the same buffer as the yardstick,
// and for BLAKE2 and xxHash beside their reference libraries as Debian ships them (libb2, and
// xxHash's shared library, which is what xxhsum runs). Each row also counts core cycles per byte,
// so that the kernel's cost can be told apart from the cost of reading a file.

#define OPENSSL_SUPPRESS_DEPRECATED
#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <openssl/md4.h>

#include <time.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

extern "C" {
#include <blake2.h>
}
#include <xxhash.h>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_paths.h"
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

// OpenSSL's name for the same algorithm, where it has one in its default provider.
const char* OpenSslName(std::string_view id) {
    static const std::pair<std::string_view, const char*> kNames[] = {
        {"md5", "MD5"},
        {"sha1", "SHA1"},
        {"sha2-224", "SHA224"},
        {"sha2-256", "SHA256"},
        {"sha2-384", "SHA384"},
        {"sha2-512", "SHA512"},
        {"sha3-224", "SHA3-224"},
        {"sha3-256", "SHA3-256"},
        {"sha3-384", "SHA3-384"},
        {"sha3-512", "SHA3-512"},
        {"blake2b-512", "BLAKE2B-512"},
        {"blake2s-256", "BLAKE2S-256"},
        {"sha2-512-224", "SHA512-224"},
        {"sha2-512-256", "SHA512-256"},
    };
    for (const auto& [ours, theirs] : kNames) {
        if (ours == id) return theirs;
    }
    return nullptr;
}

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The core's clock while this thread runs: a chain of dependent additions, one a cycle, timed in
// the thread's processor time so that a busy machine's other work does not count. 0 where the
// chain cannot be written.
double CoreHertz() {
#if defined(__x86_64__)
    static const double hertz = [] {
        constexpr std::uint64_t kAdditions = 400'000'000;
        std::uint64_t sum = 0, rounds = kAdditions / 4;
        const double start = ThreadSeconds();
        __asm__ volatile("1: add $1, %0\n add $1, %0\n add $1, %0\n add $1, %0\n dec %1\n jnz 1b"
                         : "+r"(sum), "+r"(rounds));
        return static_cast<double>(kAdditions) / (ThreadSeconds() - start);
    }();
    return hertz;
#else
    return 0;
#endif
}

// Runs `hash` over the buffer once per iteration; reports bytes per second and core cycles per
// byte, both in the thread's processor time.
template <typename Hash>
void Measure(benchmark::State& state, Hash&& hash) {
    const auto& buffer = Buffer();
    const double start = ThreadSeconds();
    for (auto _ : state) hash(buffer.data(), buffer.size());
    const double seconds = ThreadSeconds() - start;
    const auto bytes = static_cast<double>(state.iterations()) * static_cast<double>(buffer.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    if (CoreHertz() > 0) state.counters["cycles/B"] = seconds * CoreHertz() / bytes;
}

void Ours(benchmark::State& state, const AlgorithmInfo* algorithm, DigestPath path) {
    ForceDigestPath(path);
    const auto engine = algorithm->makeEngine();
    Measure(state, [&](const std::uint8_t* data, std::size_t length) {
        benchmark::DoNotOptimize(DigestOfBytes(*engine, data, length));
    });
    UseFastestDigestPaths();
}

void OpenSsl(benchmark::State& state, const char* name) {
    const std::unique_ptr<EVP_MD, decltype(&EVP_MD_free)> md(EVP_MD_fetch(nullptr, name, nullptr),
                                                             EVP_MD_free);
    std::uint8_t digest[EVP_MAX_MD_SIZE];
    unsigned size = 0;
    Measure(state, [&](const std::uint8_t* data, std::size_t length) {
        EVP_Digest(data, length, digest, &size, md.get(), nullptr);
        benchmark::DoNotOptimize(digest);
    });
}

// MD4 is outside OpenSSL's default provider; its low-level call still reaches it.
void OpenSslMd4(benchmark::State& state) {
    std::uint8_t digest[MD4_DIGEST_LENGTH];
    Measure(state, [&](const std::uint8_t* data, std::size_t length) {
        MD4(data, length, digest);
        benchmark::DoNotOptimize(digest);
    });
}

// MD2 has no OpenSSL counterpart here; the tests' straightforward table-driven version stands in.
void TextbookMd2(benchmark::State& state) {
    Measure(state, [&](const std::uint8_t* data, std::size_t length) {
        benchmark::DoNotOptimize(testing::ReferenceMd2Hex(data, length));
    });
}

// libb2 picks its own kernel for the processor.
void LibB2(benchmark::State& state, bool wide) {
    std::uint8_t digest[BLAKE2B_OUTBYTES];
    Measure(state, [&](const std::uint8_t* data, std::size_t length) {
        if (wide) {
            blake2b(digest, data, nullptr, BLAKE2B_OUTBYTES, length, 0);
        } else {
            blake2s(digest, data, nullptr, BLAKE2S_OUTBYTES, length, 0);
        }
        benchmark::DoNotOptimize(digest);
    });
}

void SharedXxhash(benchmark::State& state, std::string_view id) {
    Measure(state, [&](const std::uint8_t* data, std::size_t length) {
        if (id == "xxh32") benchmark::DoNotOptimize(XXH32(data, length, 0));
        if (id == "xxh64") benchmark::DoNotOptimize(XXH64(data, length, 0));
        if (id == "xxh3") benchmark::DoNotOptimize(XXH3_64bits(data, length));
        if (id == "xxh128") benchmark::DoNotOptimize(XXH3_128bits(data, length));
    });
}

void RegisterAll() {
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        const std::string id(algorithm.id);
        for (DigestPath path : SupportedDigestPaths()) {
            const std::string name = id + "/" + std::string(DigestPathName(path));
            benchmark::RegisterBenchmark(name.c_str(), Ours, &algorithm, path);
        }
        const std::string reference = id + "/openssl";
        if (const char* openSslName = OpenSslName(id)) {
            benchmark::RegisterBenchmark(reference.c_str(), OpenSsl, openSslName);
        } else if (id == "md4") {
            benchmark::RegisterBenchmark(reference.c_str(), OpenSslMd4);
        } else if (id == "md2") {
            benchmark::RegisterBenchmark("md2/textbook", TextbookMd2);
        }
        if (id == "blake2b-512" || id == "blake2s-256") {
            benchmark::RegisterBenchmark((id + "/libb2").c_str(), LibB2, id == "blake2b-512");
        }
        if (id.starts_with("xxh")) {
            benchmark::RegisterBenchmark((id + "/libxxhash").c_str(), SharedXxhash, algorithm.id);
        }
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
