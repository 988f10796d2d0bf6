#pragma once
// Which implementation of each engine's inner loop runs. Every engine has a portable one; some
// also have fast paths for instruction-set extensions. Unless told otherwise each engine takes
// the fastest path this processor and operating system support, chosen once: the latest path
// that has a kernel for it, unless this kind of processor was measured to run that kernel
// slower (processor_tuning.h).

#include <string_view>
#include <vector>

namespace tessik {

enum class DigestPath {
    kPortable,  // plain C++, any processor
    kSse41,     // BLAKE3 on four chunks at once
    kCrc,       // CRC-32C on SSE4.2's CRC32 instruction, CRC-32 by carry-less multiplication
    kShaNi,     // SHA-1 and SHA-256 on the SHA extensions
    kAvx2,      // SHA-512 rounds on BMI2 with an AVX2 message schedule; Keccak on BMI1 and BMI2;
                // BLAKE2 and XXH3 in AVX2 registers; BLAKE3 on eight chunks at once
    kAvx512,    // Keccak, MD4, MD5, BLAKE2 and XXH3 in AVX-512 registers; SHA-512 with a shorter
                // schedule; BLAKE3 on sixteen chunks at once
};

std::string_view DigestPathName(DigestPath path);

// The paths this machine can run, kPortable first.
std::vector<DigestPath> SupportedDigestPaths();

// Every engine that has an implementation for `path` runs it, every other engine its portable
// one: the switch by which tests and benchmarks reach each path. Returns false, changing
// nothing, for a path this machine cannot run. Not to be called while a digest is under way.
bool ForceDigestPath(DigestPath path);

// Back to the fastest supported path of every engine.
void UseFastestDigestPaths();

// The fastest paths as if this machine lacked `path`: how a benchmark stands in for a processor
// without AVX-512. False, changing nothing, for the portable path and one this machine lacks.
bool UseFastestDigestPathsWithout(DigestPath path);

// The path each family of engines runs now, for benchmarks to report.
struct KernelPath {
    std::string_view family;
    DigestPath path;
};
std::vector<KernelPath> ActiveKernelPaths();

}  // namespace tessik
