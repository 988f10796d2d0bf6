// Prints HashFromFile's result for one algorithm (by index or by id) and one file: what
// bench/compare.sh times against the command-line tools. Also prints to standard error the
// processor time of the thread that hashed, which leaves out the reading a second thread did
// meanwhile, and that of all threads together, the route the file took and the path of each
// engine family.
//
//   tessik_hash_file [--without-avx512] [--route read|read-ahead|map] [--threads N] ALGORITHM FILE
//
// --without-avx512 picks the fastest paths as if the processor lacked AVX-512, standing in for
// one that does; --route forces how a large file is read instead of this processor's choice;
// --threads forces how many threads hash the spans of a large file (BLAKE3) instead of one per
// core.

#include <sys/resource.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "digest/algorithm_catalogue.h"
#include "digest/cpu_features.h"
#include "digest/digest_paths.h"
#include "digest/digest_request.h"
#include "digest/file_stream.h"
#include "platform/path_encoding.h"

namespace {

bool ForceRouteNamed(std::string_view name) {
    for (tessik::FileRoute route :
         {tessik::FileRoute::kRead, tessik::FileRoute::kReadAhead, tessik::FileRoute::kMap}) {
        if (tessik::FileRouteName(route) == name) {
            tessik::ForceFileRoute(route);
            return true;
        }
    }
    return false;
}

double ProcessorSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// An index as it is, or the index of an id: the benchmarks name the algorithms appended to the
// list by id, whatever place they end up at.
int AlgorithmIndex(const char* argument) {
    if (const tessik::AlgorithmInfo* algorithm = tessik::AlgorithmWithId(argument)) {
        return static_cast<int>(algorithm - tessik::AlgorithmCatalogue().data());
    }
    return std::atoi(argument);
}

}  // namespace

int main(int argc, char** argv) {
    int next = 1;
    for (; next < argc && std::string_view(argv[next]).starts_with("--"); ++next) {
        const std::string_view option = argv[next];
        if (option == "--without-avx512") {
            tessik::UseFastestDigestPathsWithout(tessik::DigestPath::kAvx512);
        } else if (option == "--route" && next + 1 < argc && ForceRouteNamed(argv[next + 1])) {
            ++next;
        } else if (option == "--threads" && next + 1 < argc && std::atoi(argv[next + 1]) > 0) {
            tessik::ForceFileHashingThreads(static_cast<unsigned>(std::atoi(argv[next + 1])));
            ++next;
        } else {
            next = argc;
        }
    }
    if (argc - next != 2) {
        std::cerr
            << "usage: " << argv[0]
            << " [--without-avx512] [--route read|read-ahead|map] [--threads N] ALGORITHM FILE\n";
        return 2;
    }
    const int index = AlgorithmIndex(argv[next]);
    std::cout << tessik::HashFromFile(index, tessik::FromNativePath(argv[next + 1]), true) << '\n';
    std::cerr << "hashing thread: " << ProcessorSeconds(RUSAGE_THREAD) << " s of processor time\n";
    std::cerr << "all threads: " << ProcessorSeconds(RUSAGE_SELF) << " s of processor time\n";
    const tessik::ProcessorKind& kind = tessik::DetectedProcessorKind();
    const char* vendor = kind.vendor == tessik::CpuVendor::kAmd     ? "AMD"
                         : kind.vendor == tessik::CpuVendor::kIntel ? "Intel"
                                                                    : "other";
    std::cerr << "processor: " << vendor << std::hex << " family 0x" << kind.family
              << " model 0x" << kind.model << std::dec << '\n';
    std::cerr << "route for large files: " << tessik::FileRouteName(tessik::ActiveFileRoute())
              << "\npaths:";
    for (const tessik::KernelPath& kernel : tessik::ActiveKernelPaths()) {
        std::cerr << ' ' << kernel.family << '=' << tessik::DigestPathName(kernel.path);
    }
    std::cerr << '\n';
    return 0;
}
