// Bytes per second of every engine on every path this machine runs, and of the string hashes,
// over a 1 MiB buffer in memory, beside OpenSSL's libcrypto on the same buffer as the yardstick.
// Ours also in cycles per byte: the hashing thread's processor time at the rate of the time-stamp
// counter, so that a busy machine's other work does not count.

#define OPENSSL_SUPPRESS_DEPRECATED
#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <openssl/md4.h>
#include <time.h>
#if defined(__x86_64__)
#include <x86intrin.h>
#endif

#include <chrono>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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
        {"md5", "MD5"},           {"sha1", "SHA1"},         {"sha2-224", "SHA224"},
        {"sha2-256", "SHA256"},   {"sha2-384", "SHA384"},   {"sha2-512", "SHA512"},
        {"sha3-224", "SHA3-224"}, {"sha3-256", "SHA3-256"}, {"sha3-384", "SHA3-384"},
        {"sha3-512", "SHA3-512"},
    };
    for (const auto& [ours, theirs] : kNames) {
        if (ours == id) return theirs;
    }
    return nullptr;
}

double ThreadProcessorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The time-stamp counter's ticks per second, counted over 20 ms; 0 where there is none.
double CounterHertz() {
#if defined(__x86_64__)
    static const double hertz = [] {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point start = Clock::now();
        const std::uint64_t ticks = __rdtsc();
        while (Clock::now() - start < std::chrono::milliseconds(20)) {
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        return static_cast<double>(__rdtsc() - ticks) / seconds;
    }();
    return hertz;
#else
    return 0;
#endif
}

void Ours(benchmark::State& state, const AlgorithmInfo* algorithm, DigestPath path) {
    ForceDigestPath(path);
    const auto engine = algorithm->makeEngine();
    const auto& buffer = Buffer();
    const double start = ThreadProcessorSeconds();
    for (auto _ : state) {
        benchmark::DoNotOptimize(DigestOfBytes(*engine, buffer.data(), buffer.size()));
    }
    const double bytes = static_cast<double>(state.iterations() * buffer.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["cycles/byte"] = (ThreadProcessorSeconds() - start) * CounterHertz() / bytes;
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
