// Prints HashFromFile's result for one algorithm index and one file: what bench/compare.sh
// times against the command-line tools.

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
    return 0;
}
