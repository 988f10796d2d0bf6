#include "jobs/files_run.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "digest/digest_request.h"
#include "digest/hex.h"
#include "support/known_digests.h"
#include "support/system_call_faults.h"
#include "support/temporary_folder.h"

namespace tessik {
namespace {

const AlgorithmInfo& Md5() {
    return *AlgorithmWithId("md5");
}

class FilesRunTest : public ::testing::Test {
  protected:
    // Waits for the run's end; its rows, and what it came to.
    std::vector<HashedFile> Finish() {
        std::vector<HashedFile> rows;
        while (!run.WaitForEnd(std::chrono::milliseconds(5))) {
            for (HashedFile& row : run.TakeRows()) rows.push_back(std::move(row));
        }
        ending = run.Finish();
        for (HashedFile& row : run.TakeRows()) rows.push_back(std::move(row));
        return rows;
    }

    test::TemporaryFolder temp;
    FilesRun run;
    RunEnding ending;
};

TEST_F(FilesRunTest, AFileEndsWithItsDigestOrItsFailure) {
    test::WriteBytes(temp.Native("abc.txt"), "abc");
    test::MakeFolder(temp.Native("dir"));
    struct Case {
        std::string name;
        FileDigestOutcome outcome;
        ReadFailure failure;
        std::string hex;
    };
    for (const Case& c : {
             Case{"abc.txt", FileDigestOutcome::kDigest, ReadFailure::kNone, test::kMd5OfAbc},
             Case{"missing", FileDigestOutcome::kUnreadable, ReadFailure::kMissing, ""},
             Case{"dir", FileDigestOutcome::kUnreadable, ReadFailure::kFolder, ""},
         }) {
        ASSERT_TRUE(run.Start(HashingFiles({{temp.U16(c.name)}, &Md5(), false, 1})));
        EXPECT_TRUE(run.IsActive());
        const std::vector<HashedFile> rows = Finish();
        EXPECT_FALSE(run.IsActive());
        EXPECT_FALSE(ending.stopped);
        ASSERT_EQ(rows.size(), 1u) << c.name;
        EXPECT_EQ(rows[0].result.outcome, c.outcome) << c.name;
        EXPECT_EQ(rows[0].result.failure, c.failure) << c.name;
        EXPECT_EQ(HexDigest(rows[0].result.digest), c.hex) << c.name;
    }
    EXPECT_EQ(run.Progress().bytesDone, 0u);  // the last file had nothing to read
}

TEST_F(FilesRunTest, AStopWhileTheFileIsReadEndsWithoutADigest) {
    test::WriteBytes(temp.Native("big.bin"), std::string(3u << 20, 'x'));
    {
        test::HeldCall held(test::Call::kRead, 1);
        ASSERT_TRUE(run.Start(HashingFiles({{temp.U16("big.bin")}, &Md5(), false, 1})));
        while (!held.IsHeld()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_FALSE(run.Start(HashingFiles({{temp.U16("big.bin")}, &Md5(), false, 1})))
            << "one run at a time";
        run.Stop();
        held.Release();
        EXPECT_TRUE(Finish().empty());
        EXPECT_TRUE(ending.stopped);
    }
    // The next run starts afresh and reports the whole file at its end.
    ASSERT_TRUE(run.Start(HashingFiles({{temp.U16("big.bin")}, &Md5(), false, 1})));
    ASSERT_EQ(Finish().size(), 1u);
    EXPECT_EQ(run.Progress().currentDone, 3u << 20);
    EXPECT_EQ(run.Progress().currentTotal, 3u << 20);
}

TEST_F(FilesRunTest, FinishWithoutARunReportsNothing) {
    EXPECT_FALSE(run.Finish().stopped);
    EXPECT_FALSE(run.HasEnded());
    EXPECT_TRUE(run.TakeRows().empty());
}

TEST_F(FilesRunTest, HashesFilesInTheOrderGivenAndCountsEveryByteOnce) {
    std::vector<std::u16string> paths;
    std::uint64_t bytes = 0;
    for (int i = 0; i < 40; ++i) {
        const std::string name = "f" + std::to_string(i);
        test::WriteBytes(temp.Native(name), std::string(static_cast<std::size_t>(i) * 1000, 'x'));
        paths.push_back(temp.U16(name));
        bytes += static_cast<std::uint64_t>(i) * 1000;
    }
    paths.push_back(temp.U16("gone"));
    paths.push_back(temp.U16());
    paths.push_back(temp.U16("f1"));  // a file given twice counts twice
    bytes += 1000;
    ASSERT_TRUE(run.Start(HashingFiles({paths, AlgorithmWithId("sha1"), false, 2})));
    const std::vector<HashedFile> rows = Finish();
    EXPECT_FALSE(ending.stopped);
    ASSERT_EQ(rows.size(), paths.size());
    for (std::size_t i = 0; i < 40; ++i) {
        EXPECT_EQ(rows[i].path, paths[i]);
        EXPECT_EQ(HexDigest(rows[i].result.digest), HashFromFile(3, paths[i], true)) << i;
    }
    EXPECT_EQ(rows[40].result.failure, ReadFailure::kMissing);
    EXPECT_EQ(rows[41].result.failure, ReadFailure::kFolder);
    EXPECT_EQ(run.Progress().bytesDone, bytes);
    EXPECT_EQ(run.Progress().filesDone, paths.size());
}

// Folders stand for the files below them, those starting with a dot too, in the walk's order;
// one that cannot be listed comes back in its place without an algorithm.
TEST_F(FilesRunTest, WalksTheFoldersGivenWhenAsked) {
    test::MakeFolder(temp.Native("sub"));
    test::WriteBytes(temp.Native("sub/.hidden"), "abc");
    test::MakeFolder(temp.Native("locked"));
    test::UnreadableFolder locked(temp.Native("locked"));
    test::WriteBytes(temp.Native("abc"), "abc");
    const std::vector<std::u16string> given = {temp.U16("sub"), temp.U16("locked"),
                                               temp.U16("abc")};
    for (const bool walk : {false, true}) {
        ASSERT_TRUE(run.Start(HashingFiles({given, &Md5(), walk, 2})));
        const std::vector<HashedFile> rows = Finish();
        std::vector<std::u16string> paths;
        for (const HashedFile& row : rows) paths.push_back(row.path);
        if (!walk) {
            EXPECT_EQ(paths, given);
            EXPECT_EQ(rows[0].result.failure, ReadFailure::kFolder);
            continue;
        }
        EXPECT_EQ(paths, (std::vector<std::u16string>{temp.U16("sub/.hidden"), temp.U16("locked"),
                                                      temp.U16("abc")}));
        EXPECT_EQ(rows[1].algorithm, nullptr);
        EXPECT_EQ(HexDigest(rows[2].result.digest), test::kMd5OfAbc);
    }
}

// A file that MD2 takes most of a minute over is given up within a moment of Stop.
TEST_F(FilesRunTest, StopEndsTheRunWithinAPieceOfTheFileAtHand) {
    test::WriteBytes(temp.Native("big"), "");
    ASSERT_EQ(::truncate(temp.Native("big").c_str(), off_t{512} << 20), 0);
    ASSERT_TRUE(run.Start(
        HashingFiles({{temp.U16("big"), temp.U16("big")}, AlgorithmWithId("md2"), false, 2})));
    while (run.Progress().bytesDone == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const auto stopped = std::chrono::steady_clock::now();
    run.Stop();
    EXPECT_TRUE(Finish().empty());
    EXPECT_TRUE(ending.stopped);
    EXPECT_LT(std::chrono::steady_clock::now() - stopped, std::chrono::seconds(5));
}

}  // namespace
}  // namespace tessik
