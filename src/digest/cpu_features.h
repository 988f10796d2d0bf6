#pragma once
// What the processor offers the engines' fast paths, and whether the operating system saves the
// vector state those paths need: an instruction set the OS does not enable faults like one the
// processor lacks. Also which processor it is, for the choices that features alone do not
// settle.

namespace tessik {

struct CpuFeatures {
    bool sse41 = false;   // SSE4.1 with SSSE3
    bool crc = false;     // SSE4.2's CRC32 instruction and PCLMULQDQ
    bool sha = false;     // SHA-NI, with the SSSE3 and SSE4.1 its paths also use
    bool avx2 = false;    // AVX2 with BMI1 and BMI2, and the OS saving the YMM state
    bool avx512 = false;  // AVX-512 F, VL and BW, and the OS saving the ZMM and mask state
};

// Asked of the processor once; the same answer afterwards.
const CpuFeatures& DetectedCpuFeatures();

enum class CpuVendor { kOther, kIntel, kAmd };

// Family and model with their extended parts folded in, as the vendors number them (AMD's
// Zen 4 is family 0x19).
struct ProcessorKind {
    CpuVendor vendor = CpuVendor::kOther;
    int family = 0;
    int model = 0;
};

const ProcessorKind& DetectedProcessorKind();

}  // namespace tessik
