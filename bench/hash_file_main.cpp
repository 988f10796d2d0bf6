// Prints HashFromFile's result for one algorithm index and one file: what bench/compare.sh
// times against the command-line tools. Also prints to standard error the processor time of the
// thread that hashed, which leaves out the reading a second thread did meanwhile.

#include <sys/resource.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "digest/digest_request.h"
#include "platform/path_encoding.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " ALGORITHM-INDEX FILE\n";
        return 2;
    }
    const int index = std::atoi(argv[1]);
    std::cout << tessik::HashFromFile(index, tessik::FromNativePath(argv[2]), true) << '\n';
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    std::cerr << "hashing thread: " << seconds(usage.ru_utime) + seconds(usage.ru_stime)
              << " s of processor time\n";
    return 0;
}
