#include "digest/cpu_features.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>

#include <cstdint>
#include <cstring>
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
    const bool pclmulqdq = Bit(ecx, 1), ssse3 = Bit(ecx, 9), sse41 = Bit(ecx, 19),
               sse42 = Bit(ecx, 20), osxsave = Bit(ecx, 27), avx = Bit(ecx, 28);
    if (!__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx)) return features;
    const bool bmi1 = Bit(ebx, 3), avx2 = Bit(ebx, 5), bmi2 = Bit(ebx, 8), avx512f = Bit(ebx, 16),
               sha = Bit(ebx, 29), avx512bw = Bit(ebx, 30), avx512vl = Bit(ebx, 31);

    features.sse41 = ssse3 && sse41;
    features.crc = sse42 && pclmulqdq;
    features.sha = sha && features.sse41;
    if (!osxsave) return features;
    const std::uint64_t state = EnabledStateComponents();
    const bool ymmSaved = (state & 0x6) == 0x6;    // SSE and AVX state
    const bool zmmSaved = (state & 0xe6) == 0xe6;  // plus opmask and both ZMM halves
    features.avx2 = ymmSaved && avx && avx2 && bmi1 && bmi2;
    features.avx512 = zmmSaved && features.avx2 && avx512f && avx512vl && avx512bw;
    return features;
}

// Hygon's processors are AMD's first Zen under licence, numbered as AMD numbers them.
CpuVendor VendorNamed(const char (&name)[12]) {
    if (std::memcmp(name, "GenuineIntel", 12) == 0) return CpuVendor::kIntel;
    if (std::memcmp(name, "AuthenticAMD", 12) == 0) return CpuVendor::kAmd;
    if (std::memcmp(name, "HygonGenuine", 12) == 0) return CpuVendor::kAmd;
    return CpuVendor::kOther;
}

ProcessorKind DetectKind() {
    ProcessorKind kind;
    unsigned eax, ebx, ecx, edx;
    if (!__get_cpuid(0, &eax, &ebx, &ecx, &edx)) return kind;
    char name[12];
    std::memcpy(name, &ebx, 4);
    std::memcpy(name + 4, &edx, 4);
    std::memcpy(name + 8, &ecx, 4);
    kind.vendor = VendorNamed(name);
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return kind;
    const int family = (eax >> 8) & 0xf, model = (eax >> 4) & 0xf;
    const int extendedFamily = (eax >> 20) & 0xff, extendedModel = (eax >> 16) & 0xf;
    kind.family = family == 0xf ? family + extendedFamily : family;
    kind.model = family == 0x6 || family == 0xf ? model + (extendedModel << 4) : model;
    return kind;
}

#else

CpuFeatures Detect() {
    return {};
}

ProcessorKind DetectKind() {
    return {};
}

#endif

}  // namespace

const CpuFeatures& DetectedCpuFeatures() {
    static const CpuFeatures features = Detect();
    return features;
}

const ProcessorKind& DetectedProcessorKind() {
    static const ProcessorKind kind = DetectKind();
    return kind;
}

}  // namespace tessik
