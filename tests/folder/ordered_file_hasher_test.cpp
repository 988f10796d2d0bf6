#include "folder/ordered_file_hasher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "digest/hex.h"
#include "platform/path_encoding.h"
#include "support/system_call_faults.h"
#include "support/temporary_folder.h"

namespace tessik {
namespace {

const AlgorithmInfo& Md5() {
    return *AlgorithmWithId("md5");
}

// Files of different sizes, so that workers finish out of order.
std::vector<std::u16string> MakeFiles(const test::TemporaryFolder& temp, int count) {
    std::vector<std::u16string> paths;
    for (int i = 0; i < count; ++i) {
        const std::string name = "f" + std::to_string(i);
        test::WriteBytes(temp.Native(name),
                         std::string(static_cast<std::size_t>(i % 7) << 16, 'x'));
        paths.push_back(temp.U16(name));
    }
    return paths;
}

// Feeds the paths, every third without an algorithm, and records what comes back, and how many
// files were taken but not yet handed back at most.
struct Stream {
    explicit Stream(std::vector<std::u16string> files) : paths(std::move(files)) {}

    std::vector<std::u16string> paths;
    std::size_t taken = 0;
    std::size_t mostInFlight = 0;
    std::vector<HashedFile> delivered;

    bool Next(FileToHash& file) {
        if (taken == paths.size()) return false;
        file.path = paths[taken];
        file.algorithm = taken % 3 == 2 ? nullptr : &Md5();
        ++taken;
        mostInFlight = std::max(mostInFlight, taken - delivered.size());
        return true;
    }
};

bool HashStream(Stream& stream, const OrderedHashOptions& options) {
    return HashFilesInOrder([&](FileToHash& file) { return stream.Next(file); },
                            [&](HashedFile& done) { stream.delivered.push_back(std::move(done)); },
                            options);
}

TEST(OrderedFileHasher, HandsFilesBackInTheOrderTheyCame) {
    test::TemporaryFolder temp;
    const std::vector<std::u16string> paths = MakeFiles(temp, 60);
    for (int workers : {1, 2, 4}) {
        SCOPED_TRACE(workers);
        Stream stream(paths);
        ASSERT_TRUE(HashStream(stream, {workers, nullptr, {}, {}}));
        ASSERT_EQ(stream.delivered.size(), paths.size());
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const HashedFile& done = stream.delivered[i];
            EXPECT_EQ(done.path, paths[i]);
            if (i % 3 == 2) {
                EXPECT_EQ(done.algorithm, nullptr);
                continue;
            }
            const auto engine = Md5().makeEngine();
            EXPECT_EQ(done.result.digest, DigestFile(*engine, paths[i]).digest);
        }
        // The queue is bounded: memory stays flat however long the stream.
        EXPECT_LE(stream.mostInFlight, workers * kFilesQueuedPerWorker + 1);
    }
}

TEST(OrderedFileHasher, ReportsFilesThatCannotBeRead) {
    test::TemporaryFolder temp;
    Stream stream({temp.U16("missing"), temp.U16()});
    ASSERT_TRUE(HashStream(stream, {2, nullptr, {}, {}}));
    ASSERT_EQ(stream.delivered.size(), 2U);
    EXPECT_EQ(stream.delivered[0].result.failure, ReadFailure::kMissing);
    EXPECT_EQ(stream.delivered[1].result.failure, ReadFailure::kFolder);
}

// Cancel while a worker is held inside a read: the run ends well within 0.2 s and hands back
// nothing further.
TEST(OrderedFileHasher, EndsSoonAfterCancel) {
    test::TemporaryFolder temp;
    const std::vector<std::u16string> paths = MakeFiles(temp, 12);
    for (int workers : {2, 4}) {
        SCOPED_TRACE(workers);
        std::atomic<bool> cancel{false};
        test::HeldCall held(test::Call::kRead, 3);
        Stream stream(paths);
        std::chrono::steady_clock::time_point raised;
        std::thread canceller([&] {
            while (!held.IsHeld()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            raised = std::chrono::steady_clock::now();
            cancel = true;
            held.Release();
        });
        EXPECT_FALSE(HashStream(stream, {workers, &cancel, {}, {}}));
        const auto took = std::chrono::steady_clock::now() - raised;
        canceller.join();
        EXPECT_LT(took, std::chrono::milliseconds(200));
        EXPECT_LT(stream.delivered.size(), paths.size());
    }
}

}  // namespace
}  // namespace tessik
