// Prints HashFromFile's result for one algorithm index and one file: what bench/compare.sh
// times against the command-line tools. Given several algorithms, by index or identifier and
// separated by commas, it reads the file once for all of them and prints a digest for each. Also
// prints to standard error the processor time of the thread that hashed, which leaves out the
// reading other threads did meanwhile, and that of all threads, the routes files take and the path
// of each engine family.
//
//   tessik_hash_file [--without-avx512] [--route read|read-ahead|map|map-ahead] [--threads N]
//                    ALGORITHMS FILE
//
// --without-avx512 picks the fastest paths as if the processor lacked AVX-512, standing in for
// one that does; --route forces how a large file is read instead of this processor's choice;
// --threads forces how many threads hash the spans of a large file (BLAKE3) instead of one per
// core.

#include <sys/resource.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "digest/cpu_features.h"
#include "digest/digest_paths.h"
#include "digest/digest_request.h"
#include "digest/file_digest.h"
#include "digest/file_stream.h"
#include "digest/hex.h"
#include "platform/path_encoding.h"

namespace {

bool ForceRouteNamed(std::string_view name) {
    for (tessik::FileRoute route : {tessik::FileRoute::kRead, tessik::FileRoute::kReadAhead,
                                    tessik::FileRoute::kMap, tessik::FileRoute::kMapAhead}) {
        if (tessik::FileRouteName(route) == name) {
            tessik::ForceFileRoute(route);
            return true;
        }
    }
    return false;
}

// Of this thread alone, or of every thread of the process.
double ProcessorSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Each comma-separated algorithm of the list, by identifier or by index; none if one is neither.
std::vector<const tessik::AlgorithmInfo*> AlgorithmsListed(std::string_view list) {
    std::vector<const tessik::AlgorithmInfo*> algorithms;
    for (std::size_t at = 0; at <= list.size();) {
        const std::size_t comma = std::min(list.find(',', at), list.size());
        const std::string item(list.substr(at, comma - at));
        const tessik::AlgorithmInfo* algorithm = tessik::AlgorithmWithId(item);
        if (algorithm == nullptr && !item.empty() &&
            item.find_first_not_of("0123456789") == std::string::npos) {
            algorithm = &tessik::AlgorithmForIndex(std::atoi(item.c_str()));
        }
        if (algorithm == nullptr) return {};
        algorithms.push_back(algorithm);
        at = comma + 1;
    }
    return algorithms;
}

// One read for all the algorithms; a line per digest, or none if the file could not be read.
void PrintDigestsInOneRead(const std::vector<const tessik::AlgorithmInfo*>& algorithms,
                           const std::u16string& path) {
    std::vector<std::unique_ptr<tessik::DigestEngine>> owned;
    std::vector<tessik::DigestEngine*> engines;
    for (const tessik::AlgorithmInfo* algorithm : algorithms) {
        owned.push_back(algorithm->makeEngine());
        engines.push_back(owned.back().get());
    }
    const tessik::FileDigestsResult result = tessik::DigestFileWithEngines(engines, path);
    for (std::size_t i = 0; i < result.digests.size(); ++i) {
        std::cout << algorithms[i]->id << ' ' << tessik::HexDigest(result.digests[i]) << '\n';
    }
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
    const std::vector<const tessik::AlgorithmInfo*> algorithms =
        argc - next == 2 ? AlgorithmsListed(argv[next])
                         : std::vector<const tessik::AlgorithmInfo*>{};
    if (algorithms.empty()) {
        std::cerr << "usage: " << argv[0]
                  << " [--without-avx512] [--route read|read-ahead|map|map-ahead] [--threads N] "
                     "ALGORITHM[,ALGORITHM...] "
                     "FILE\n  ALGORITHM: an index of the list or an identifier\n";
        return 2;
    }
    const std::u16string path = tessik::FromNativePath(argv[next + 1]);
    if (algorithms.size() == 1) {
        const int index =
            static_cast<int>(algorithms.front() - tessik::AlgorithmCatalogue().data());
        std::cout << tessik::HashFromFile(index, path, true) << '\n';
    } else {
        PrintDigestsInOneRead(algorithms, path);
    }
    std::cerr << "hashing thread: " << ProcessorSeconds(RUSAGE_THREAD) << " s of processor time\n"
              << "all threads: " << ProcessorSeconds(RUSAGE_SELF) << " s of processor time\n";
    const tessik::ProcessorKind& kind = tessik::DetectedProcessorKind();
    const char* vendor = kind.vendor == tessik::CpuVendor::kAmd     ? "AMD"
                         : kind.vendor == tessik::CpuVendor::kIntel ? "Intel"
                                                                    : "other";
    std::cerr << "processor: " << vendor << std::hex << " family 0x" << kind.family << " model 0x"
              << kind.model << std::dec << '\n';
    std::cerr << "route for large files: " << tessik::FileRouteName(tessik::ActiveFileRoute())
              << ", for engines that outrun reading: "
              << tessik::FileRouteName(
                     tessik::ActiveFileRoute(tessik::ConsumerPace::kOutrunsReading))
              << "\npaths:";
    for (const tessik::KernelPath& kernel : tessik::ActiveKernelPaths()) {
        std::cerr << ' ' << kernel.family << '=' << tessik::DigestPathName(kernel.path);
    }
    std::cerr << '\n';
    return 0;
}
