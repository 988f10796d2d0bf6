#include "digest/cpu_features.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>

#include <cstdint>
#endif

namespace tessik {
namespace {

#if defined(__x86_64__) || defined(__i386__)

bool Bit(unsigned word, int bit) {
    return (word >> bit) & 1;
}

// The register of state components the OS saves on a context switch. Read with the raw
// instruction: the intrinsic needs a compile flag this file does not take.
std::uint64_t EnabledStateComponents() {
    unsigned low, high;
    __asm__ __volatile__("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return (std::uint64_t{high} << 32) | low;
}

CpuFeatures Detect() {
    CpuFeatures features;
    unsigned eax, ebx, ecx, edx;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return features;
    const bool ssse3 = Bit(ecx, 9), sse41 = Bit(ecx, 19), osxsave = Bit(ecx, 27),
               avx = Bit(ecx, 28);
    if (!__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx)) return features;
    const bool bmi1 = Bit(ebx, 3), avx2 = Bit(ebx, 5), bmi2 = Bit(ebx, 8), avx512f = Bit(ebx, 16),
               sha = Bit(ebx, 29), avx512bw = Bit(ebx, 30), avx512vl = Bit(ebx, 31);

    features.sha = sha && ssse3 && sse41;
    if (!osxsave) return features;
    const std::uint64_t state = EnabledStateComponents();
    const bool ymmSaved = (state & 0x6) == 0x6;    // SSE and AVX state
    const bool zmmSaved = (state & 0xe6) == 0xe6;  // plus opmask and both ZMM halves
    features.avx2 = ymmSaved && avx && avx2 && bmi1 && bmi2;
    features.avx512 = zmmSaved && features.avx2 && avx512f && avx512vl && avx512bw;
    return features;
}

#else

CpuFeatures Detect() {
    return {};
}

#endif

}  // namespace

const CpuFeatures& DetectedCpuFeatures() {
    static const CpuFeatures features = Detect();
    return features;
}

}  // namespace tessik
