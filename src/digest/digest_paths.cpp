#include "digest/digest_paths.h"

#include <atomic>
#include <optional>

#include "digest/cpu_features.h"
#include "digest/digest_kernels.h"
#include "digest/processor_tuning.h"

namespace tessik {
namespace {

constexpr DigestPath kAllPaths[] = {DigestPath::kPortable, DigestPath::kSse41, DigestPath::kCrc,
                                    DigestPath::kShaNi,    DigestPath::kAvx2,  DigestPath::kAvx512};
constexpr std::size_t kPathCount = std::size(kAllPaths);

constexpr DigestKernels kPortableKernels = {
    Md4BlocksPortable,     Md5BlocksPortable,     Sha1BlocksPortable,    Sha256BlocksPortable,
    Sha512BlocksPortable,  KeccakAbsorbPortable,  KeccakPermutePortable, Blake3ManyPortable,
    Blake2bBlocksPortable, Blake2sBlocksPortable, Xxh3UpdatePortable,    Crc32UpdatePortable,
    Crc32cUpdatePortable,
};

bool Supported(DigestPath path) {
    const CpuFeatures& cpu = DetectedCpuFeatures();
    switch (path) {
        case DigestPath::kPortable:
            return true;
        case DigestPath::kSse41:
            return cpu.sse41;
        case DigestPath::kCrc:
            return cpu.crc;
        case DigestPath::kShaNi:
            return cpu.sha;
        case DigestPath::kAvx2:
            return cpu.avx2;
        case DigestPath::kAvx512:
            return cpu.avx512;
    }
    return false;
}

// A path's own kernels; the engines it has none for keep their portable ones.
DigestKernels KernelsFor(DigestPath path) {
    DigestKernels kernels = kPortableKernels;
#if defined(__x86_64__)
    switch (path) {
        case DigestPath::kPortable:
            break;
        case DigestPath::kSse41:
            kernels.blake3Many = Blake3ManySse41;
            break;
        case DigestPath::kCrc:
            kernels.crc32 = Crc32UpdateClmul;
            kernels.crc32c = Crc32cUpdateSse42;
            break;
        case DigestPath::kShaNi:
            kernels.sha1 = Sha1BlocksShaNi;
            kernels.sha256 = Sha256BlocksShaNi;
            break;
        case DigestPath::kAvx2:
            kernels.sha512 = Sha512BlocksAvx2;
            kernels.keccakAbsorb = KeccakAbsorbBmi;
            kernels.keccakPermute = KeccakPermuteBmi;
            kernels.blake3Many = Blake3ManyAvx2;
            kernels.blake2b = Blake2bBlocksAvx2;
            kernels.blake2s = Blake2sBlocksAvx2;
            kernels.xxh3 = Xxh3UpdateAvx2;
            break;
        case DigestPath::kAvx512:
            kernels.md4 = Md4BlocksAvx512;
            kernels.md5 = Md5BlocksAvx512;
            kernels.sha512 = Sha512BlocksAvx512;
            kernels.keccakAbsorb = KeccakAbsorbAvx512;
            kernels.keccakPermute = KeccakPermuteAvx512;
            kernels.blake3Many = Blake3ManyAvx512;
            kernels.blake2b = Blake2bBlocksAvx512;
            kernels.blake2s = Blake2sBlocksAvx512;
            kernels.xxh3 = Xxh3UpdateAvx512;
            break;
    }
#else
    static_cast<void>(path);
#endif
    return kernels;
}

// Calls visit(member) for each kernel of DigestKernels.
template <typename Visit>
void ForEachKernel(Visit&& visit) {
    visit(&DigestKernels::md4);
    visit(&DigestKernels::md5);
    visit(&DigestKernels::sha1);
    visit(&DigestKernels::sha256);
    visit(&DigestKernels::sha512);
    visit(&DigestKernels::keccakAbsorb);
    visit(&DigestKernels::keccakPermute);
    visit(&DigestKernels::blake3Many);
    visit(&DigestKernels::blake2b);
    visit(&DigestKernels::blake2s);
    visit(&DigestKernels::xxh3);
    visit(&DigestKernels::crc32);
    visit(&DigestKernels::crc32c);
}

// Each engine's kernel from the latest path that has one of its own and may run: supported
// here, not left out, and not one this processor runs slower than an earlier path's.
DigestKernels FastestKernels(const ProcessorTuning& tuning, std::optional<DigestPath> leftOut) {
    DigestKernels fastest = kPortableKernels;
    for (DigestPath path : kAllPaths) {
        if (!Supported(path) || path == leftOut) continue;
        DigestKernels own = KernelsFor(path);
        if (path == DigestPath::kAvx512 && !tuning.vectorMdSteps) {
            own.md4 = kPortableKernels.md4;
            own.md5 = kPortableKernels.md5;
        }
        ForEachKernel([&](auto member) {
            if (own.*member != kPortableKernels.*member) fastest.*member = own.*member;
        });
    }
    return fastest;
}

struct KernelTables {
    DigestKernels byPath[kPathCount];
    DigestKernels fastest;
    DigestKernels fastestWithout[kPathCount];
};

KernelTables BuildTables() {
    KernelTables tables;
    const ProcessorTuning& tuning = ThisProcessorTuning();
    tables.fastest = FastestKernels(tuning, std::nullopt);
    for (std::size_t i = 0; i < kPathCount; ++i) {
        tables.byPath[i] = KernelsFor(kAllPaths[i]);
        tables.fastestWithout[i] = FastestKernels(tuning, kAllPaths[i]);
    }
    return tables;
}

const KernelTables& Tables() {
    static const KernelTables tables = BuildTables();
    return tables;
}

// The path whose own kernel `member` of `kernels` is.
template <typename Kernel>
DigestPath PathOf(Kernel DigestKernels::*member, const DigestKernels& kernels) {
    for (std::size_t i = 0; i < kPathCount; ++i) {
        const Kernel own = Tables().byPath[i].*member;
        if (own == kernels.*member && own != kPortableKernels.*member) return kAllPaths[i];
    }
    return DigestPath::kPortable;
}

// Null while every engine runs its fastest kernel.
std::atomic<const DigestKernels*> forcedKernels{nullptr};

}  // namespace

std::string_view DigestPathName(DigestPath path) {
    switch (path) {
        case DigestPath::kPortable:
            return "portable";
        case DigestPath::kSse41:
            return "SSE4.1";
        case DigestPath::kCrc:
            return "SSE4.2 + CLMUL";
        case DigestPath::kShaNi:
            return "SHA-NI";
        case DigestPath::kAvx2:
            return "AVX2";
        case DigestPath::kAvx512:
            return "AVX-512";
    }
    return "unknown";
}

std::vector<DigestPath> SupportedDigestPaths() {
    std::vector<DigestPath> paths;
    for (DigestPath path : kAllPaths) {
        if (Supported(path)) paths.push_back(path);
    }
    return paths;
}

bool ForceDigestPath(DigestPath path) {
    if (!Supported(path)) return false;
    forcedKernels.store(&Tables().byPath[static_cast<std::size_t>(path)],
                        std::memory_order_relaxed);
    return true;
}

void UseFastestDigestPaths() {
    forcedKernels.store(nullptr, std::memory_order_relaxed);
}

bool UseFastestDigestPathsWithout(DigestPath path) {
    if (path == DigestPath::kPortable || !Supported(path)) return false;
    forcedKernels.store(&Tables().fastestWithout[static_cast<std::size_t>(path)],
                        std::memory_order_relaxed);
    return true;
}

std::vector<KernelPath> ActiveKernelPaths() {
    const DigestKernels& active = ActiveDigestKernels();
    std::vector<KernelPath> paths = {
        {"MD4", PathOf(&DigestKernels::md4, active)},
        {"MD5", PathOf(&DigestKernels::md5, active)},
        {"SHA-1", PathOf(&DigestKernels::sha1, active)},
        {"SHA-256", PathOf(&DigestKernels::sha256, active)},
        {"SHA-512", PathOf(&DigestKernels::sha512, active)},
        {"Keccak", PathOf(&DigestKernels::keccakAbsorb, active)},
        {"BLAKE3", PathOf(&DigestKernels::blake3Many, active)},
        {"BLAKE2b", PathOf(&DigestKernels::blake2b, active)},
        {"BLAKE2s", PathOf(&DigestKernels::blake2s, active)},
        {"XXH3", PathOf(&DigestKernels::xxh3, active)},
    };
#if TESSIK_OWN_CRC_KERNELS
    // Only where the CRC engines run them: elsewhere they are built for the tests alone.
    paths.push_back({"CRC-32", PathOf(&DigestKernels::crc32, active)});
    paths.push_back({"CRC-32C", PathOf(&DigestKernels::crc32c, active)});
#endif
    return paths;
}

const DigestKernels& ActiveDigestKernels() {
    const DigestKernels* forced = forcedKernels.load(std::memory_order_relaxed);
    return forced != nullptr ? *forced : Tables().fastest;
}

}  // namespace tessik
