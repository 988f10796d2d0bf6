// Drives the folder hashing job the way the folder window does, a worker per core, and a window
// that only collects the output, and reports the time it took per file. Also makes the test
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
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "folder/folder_hash_job.h"
#include "platform/path_encoding.h"

namespace {

class CollectingWindow : public tessik::FolderJobWindow {
  public:
    CollectingWindow(std::u16string folder, int algorithmIndex)
        : folder_(std::move(folder)), algorithmIndex_(algorithmIndex) {}

    tessik::FolderJobSettings ReadJobSettings() override { return {folder_, u"*", u"*", true}; }
    tessik::DigestChoice ReadDigestChoice() override { return {algorithmIndex_, true}; }
    void ShowRunning(bool) override {}
    // The lines are counted, not kept: what is measured is the job's side, not the text field's.
    void SetOutput(const std::u16string&) override {}
    bool AppendOutput(const std::u16string& lines) override {
        lines_ += static_cast<std::size_t>(std::count(lines.begin(), lines.end(), u'\n'));
        return true;
    }
    void ShowSummary(const tessik::FolderRunSummary&) override {}

    std::size_t Lines() const { return lines_; }

  private:
    std::u16string folder_;
    int algorithmIndex_;
    std::size_t lines_ = 0;
};

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

int HashTree(int algorithmIndex, const std::string& folder) {
    CollectingWindow window(tessik::FromNativePath(folder), algorithmIndex);
    tessik::FolderHashJob job(window, u" ");
    const auto start = std::chrono::steady_clock::now();
    if (!job.Start()) return 1;
    job.WaitWhileServing();
    const std::chrono::duration<double, std::micro> elapsed =
        std::chrono::steady_clock::now() - start;
    const std::size_t files = window.Lines();
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
