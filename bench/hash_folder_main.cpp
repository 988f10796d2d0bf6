// Drives the folder run the way the folder window does, a worker per core, with an owner that
// only counts the output, and reports the time it took per file. Also makes the test
// trees, so that bench/compare.sh can time the job against rhash on the same files.
//
//   tessik_hash_folder make FOLDER COUNT   COUNT files of 1 to 64 KiB, a thousand per sub-folder
//   tessik_hash_folder hash INDEX FOLDER   hashes the tree with sub-folders; prints lines, files
//                                           and microseconds per file to standard error

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "jobs/folder_run.h"
#include "platform/path_encoding.h"

namespace {

int MakeTree(const std::string& folder, long count) {
    std::mt19937 random(20000);
    std::vector<char> bytes(64 * 1024);
    for (char& b : bytes) b = static_cast<char>(random());
    std::string subfolder;
    for (long i = 0; i < count; ++i) {
        if (i % 1000 == 0) {
            subfolder = folder + "/" + std::to_string(i / 1000);
            ::mkdir(subfolder.c_str(), 0755);
        }
        const std::size_t size = 1024 + random() % (63 * 1024 + 1);
        const std::string path = subfolder + "/file" + std::to_string(i) + ".bin";
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) return 1;
        bytes[i % bytes.size()] ^= 1;  // no two files alike
        std::fwrite(bytes.data(), 1, size, file);
        std::fclose(file);
    }
    return 0;
}

// The lines are made as the window makes them, and counted, not kept: what is measured is the
// run's side, not the text field's.
std::size_t CountLines(tessik::FolderRun& run) {
    std::size_t lines = 0;
    for (const tessik::FolderLine& row : run.TakeRows()) {
        const std::u16string line = tessik::FolderLineText(row, u" ");
        lines += static_cast<std::size_t>(std::count(line.begin(), line.end(), u'\n'));
    }
    return lines;
}

int HashTree(int algorithmIndex, const std::string& folder) {
    tessik::FolderToHash tree;
    tree.folder = tessik::FromNativePath(folder);
    tree.subfolders = true;
    tessik::FolderRun run;
    const auto start = std::chrono::steady_clock::now();
    if (!run.Start(tessik::HashingFolder(tree, std::make_shared<tessik::LatestChoice>(
                                                   tessik::DigestChoice{algorithmIndex, true})))) {
        return 1;
    }
    std::size_t files = 0;
    while (!run.WaitForEnd(std::chrono::milliseconds(15))) files += CountLines(run);
    run.Finish();
    files += CountLines(run);
    const std::chrono::duration<double, std::micro> elapsed =
        std::chrono::steady_clock::now() - start;
    std::cerr << files << " files, " << elapsed.count() / static_cast<double>(files)
              << " microseconds per file\n";
    return files > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc == 4 && mode == "make") return MakeTree(argv[2], std::atol(argv[3]));
    if (argc == 4 && mode == "hash") return HashTree(std::atoi(argv[2]), argv[3]);
    std::cerr << "usage: " << argv[0] << " make FOLDER COUNT | hash ALGORITHM-INDEX FOLDER\n";
    return 2;
}
