#include "digest/digest_paths.h"

#include <atomic>

#include "digest/cpu_features.h"
#include "digest/digest_kernels.h"

namespace tessik {
namespace {

constexpr DigestPath kAllPaths[] = {DigestPath::kPortable, DigestPath::kShaNi, DigestPath::kAvx2,
                                    DigestPath::kAvx512};
constexpr std::size_t kPathCount = std::size(kAllPaths);

constexpr DigestKernels kPortableKernels = {
    Md4BlocksPortable,    Md5BlocksPortable,    Sha1BlocksPortable,    Sha256BlocksPortable,
    Sha512BlocksPortable, KeccakAbsorbPortable, KeccakPermutePortable,
};

bool Supported(DigestPath path) {
    const CpuFeatures& cpu = DetectedCpuFeatures();
    switch (path) {
        case DigestPath::kPortable:
            return true;
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
        case DigestPath::kShaNi:
            kernels.sha1 = Sha1BlocksShaNi;
            kernels.sha256 = Sha256BlocksShaNi;
            break;
        case DigestPath::kAvx2:
            kernels.sha512 = Sha512BlocksAvx2;
            kernels.keccakAbsorb = KeccakAbsorbBmi;
            kernels.keccakPermute = KeccakPermuteBmi;
            break;
        case DigestPath::kAvx512:
            kernels.md4 = Md4BlocksAvx512;
            kernels.md5 = Md5BlocksAvx512;
            kernels.sha512 = Sha512BlocksAvx512;
            kernels.keccakAbsorb = KeccakAbsorbAvx512;
            kernels.keccakPermute = KeccakPermuteAvx512;
            break;
    }
#else
    static_cast<void>(path);
#endif
    return kernels;
}

// Takes every kernel that `path` has of its own over what `kernels` holds.
template <typename Kernel>
void TakeOwn(Kernel& chosen, Kernel own, Kernel portable) {
    if (own != portable) chosen = own;
}

struct KernelTables {
    DigestKernels byPath[kPathCount];
    DigestKernels fastest;  // each engine's kernel from the latest supported path that has one
};

KernelTables BuildTables() {
    KernelTables tables;
    tables.fastest = kPortableKernels;
    for (std::size_t i = 0; i < kPathCount; ++i) {
        const DigestKernels own = KernelsFor(kAllPaths[i]);
        tables.byPath[i] = own;
        if (!Supported(kAllPaths[i])) continue;
        const DigestKernels& p = kPortableKernels;
        DigestKernels& f = tables.fastest;
        TakeOwn(f.md4, own.md4, p.md4);
        TakeOwn(f.md5, own.md5, p.md5);
        TakeOwn(f.sha1, own.sha1, p.sha1);
        TakeOwn(f.sha256, own.sha256, p.sha256);
        TakeOwn(f.sha512, own.sha512, p.sha512);
        TakeOwn(f.keccakAbsorb, own.keccakAbsorb, p.keccakAbsorb);
        TakeOwn(f.keccakPermute, own.keccakPermute, p.keccakPermute);
    }
    return tables;
}

const KernelTables& Tables() {
    static const KernelTables tables = BuildTables();
    return tables;
}

// Null while every engine runs its fastest kernel.
std::atomic<const DigestKernels*> forcedKernels{nullptr};

}  // namespace

std::string_view DigestPathName(DigestPath path) {
    switch (path) {
        case DigestPath::kPortable:
            return "portable";
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

const DigestKernels& ActiveDigestKernels() {
    const DigestKernels* forced = forcedKernels.load(std::memory_order_relaxed);
    return forced != nullptr ? *forced : Tables().fastest;
}

}  // namespace tessik
