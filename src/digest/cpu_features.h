#pragma once
// What the processor offers the engines' fast paths, and whether the operating system saves the
// vector state those paths need: an instruction set the OS does not enable faults like one the
// processor lacks.

namespace tessik {

struct CpuFeatures {
    bool sha = false;     // SHA-NI, with the SSSE3 and SSE4.1 its paths also use
    bool avx2 = false;    // AVX2 with BMI1 and BMI2, and the OS saving the YMM state
    bool avx512 = false;  // AVX-512 F, VL and BW, and the OS saving the ZMM and mask state
};

// Asked of the processor once; the same answer afterwards.
const CpuFeatures& DetectedCpuFeatures();

}  // namespace tessik
