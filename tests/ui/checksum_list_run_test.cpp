#include "ui/checksum_list_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "digest/digest_request.h"
#include "digest/hex.h"
#include "platform/text_conversion.h"
#include "support/known_digests.h"
#include "support/temporary_folder.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

using test::kMd5OfAbc;
using test::kMd5OfNothing;

struct Seen {
    std::uint64_t line;
    std::string name;
    RowStatus status;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> Summarised(const std::vector<ListRow>& rows) {
    std::vector<Seen> seen;
    for (const ListRow& row : rows) seen.push_back({row.line, row.name, row.status});
    return seen;
}

std::unique_ptr<InputFile> Opened(const std::u16string& path) {
    auto file = std::make_unique<InputFile>();
    EXPECT_EQ(file->Open(path), ReadFailure::kNone);
    return file;
}

class ChecksumListRunTest : public ::testing::Test {
  protected:
    test::TemporaryFolder folder;
    std::atomic<bool> ended{false};
    ChecksumListRun run{[this] { ended = true; }};
};

// Names are taken from the list's folder, wherever the program runs; every kind of entry gets
// its status, in list order, although two workers hash the files.
TEST_F(ChecksumListRunTest, ChecksAListAgainstTheFilesBesideIt) {
    SKIP_ON_WINDOWS("no FIFOs or Unix-domain sockets in a Windows file system");
    test::MakeFolder(folder.Native("lists"));
    test::MakeFolder(folder.Native("lists/sub"));
    test::WriteBytes(folder.Native("lists/abc"), "abc");
    test::WriteBytes(folder.Native("lists/sub/empty"), "");
    test::WriteBytes(folder.Native("outside"), "abc");
    ASSERT_EQ(::mkfifo(folder.Native("lists/fifo").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("loop", folder.Native("lists/loop").c_str()), 0);
    const std::string list = kMd5OfAbc + "  abc\n" +               // 1
                             kMd5OfAbc + "  sub/empty\n" +         // 2 differs
                             kMd5OfNothing + "  gone\n" +          // 3
                             kMd5OfNothing + "  sub\n" +           // 4 a folder
                             kMd5OfNothing + "  fifo\n" +          // 5 never read
                             kMd5OfNothing + "  loop\n" +          // 6 a link cycle
                             "# a comment\n" +                     // 7
                             "not a line\r\n" +                    // 8
                             kMd5OfAbc + "  ../outside\r\n" +      // 9
                             "SHA1 (abc) = " + kMd5OfAbc + "\n" +  // 10 of another length
                             "MD5 (" + folder.path() + "/outside) = " + kMd5OfAbc + "\n";  // 11
    test::WriteBytes(folder.Native("lists/SUMS.md5"), list);
    ASSERT_TRUE(run.StartVerify(Opened(folder.U16("lists/SUMS.md5")), folder.U16("lists/"),
                                *AlgorithmWithId("md5"), "|"));
    EXPECT_FALSE(run.StartHashing({}, *AlgorithmWithId("md5")));  // one run at a time
    const ChecksumListRun::Ending ending = run.Finish();
    EXPECT_TRUE(ended);
    EXPECT_FALSE(ending.stopped);
    EXPECT_FALSE(ending.listReadFailed);
    const std::vector<Seen> expected = {
        {1, "abc", RowStatus::kOk},
        {2, "sub/empty", RowStatus::kFailed},
        {3, "gone", RowStatus::kMissing},
        {4, "sub", RowStatus::kFolder},
        {5, "fifo", RowStatus::kNotRegularFile},
        {6, "loop", RowStatus::kLinkLoop},
        {8, "", RowStatus::kMalformed},
        {9, "../outside", RowStatus::kOk},
        {10, "abc", RowStatus::kMalformed},
        {11, folder.path() + "/outside", RowStatus::kOk},
    };
    EXPECT_EQ(Summarised(run.TakeRows()), expected);
    EXPECT_TRUE(run.TakeRows().empty());
    const FolderRunProgress progress = run.CurrentProgress();
    EXPECT_EQ(progress.filesDone, expected.size());
    EXPECT_EQ(progress.bytesDone, 9u);  // abc, the empty file, outside twice
}

TEST_F(ChecksumListRunTest, HashesFilesInTheOrderGivenAndCountsEveryByteOnce) {
    std::vector<std::u16string> paths;
    std::uint64_t bytes = 0;
    for (int i = 0; i < 40; ++i) {
        const std::string name = "f" + std::to_string(i);
        test::WriteBytes(folder.Native(name), std::string(static_cast<std::size_t>(i) * 1000, 'x'));
        paths.push_back(folder.U16(name));
        bytes += static_cast<std::uint64_t>(i) * 1000;
    }
    paths.push_back(folder.U16("gone"));
    paths.push_back(folder.U16());
    const AlgorithmInfo& sha1 = *AlgorithmWithId("sha1");
    ASSERT_TRUE(run.StartHashing(paths, sha1));
    EXPECT_FALSE(run.Finish().stopped);
    const std::vector<ListRow> rows = run.TakeRows();
    ASSERT_EQ(rows.size(), paths.size());
    for (std::size_t i = 0; i < 40; ++i) {
        EXPECT_EQ(rows[i].line, i + 1);
        EXPECT_EQ(rows[i].status, RowStatus::kOk);
        EXPECT_EQ(HexDigest(rows[i].digest), HashFromFile(3, paths[i], true)) << i;
    }
    EXPECT_EQ(rows[40].status, RowStatus::kMissing);
    EXPECT_EQ(rows[41].status, RowStatus::kFolder);
    EXPECT_TRUE(rows[41].digest.empty());
    EXPECT_EQ(run.CurrentProgress().bytesDone, bytes);
}

// A file that MD2 takes most of a minute over is given up within a moment of Stop.
TEST_F(ChecksumListRunTest, StopEndsTheRunWithinAPieceOfTheFileAtHand) {
    test::WriteBytes(folder.Native("big"), "");
    ASSERT_EQ(::truncate(folder.Native("big").c_str(), off_t{512} << 20), 0);
    ASSERT_TRUE(run.StartHashing({folder.U16("big"), folder.U16("big")}, *AlgorithmWithId("md2")));
    while (run.CurrentProgress().bytesDone == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const auto stopped = std::chrono::steady_clock::now();
    run.Stop();
    EXPECT_TRUE(run.Finish().stopped);
    EXPECT_LT(std::chrono::steady_clock::now() - stopped, std::chrono::seconds(5));
    EXPECT_TRUE(run.TakeRows().empty());
    EXPECT_TRUE(ended);
}

// A list of 100,000 lines, naming 1,000 files over and over: every line checked, in order.
TEST_F(ChecksumListRunTest, ChecksAListOfAHundredThousandLines) {
#ifdef TESSIK_SHORT_TESTS
    constexpr std::size_t kLines = 10'000;
#else
    constexpr std::size_t kLines = 100'000;
#endif
    constexpr std::size_t kFiles = 1000;
    for (std::size_t i = 0; i < kFiles; ++i) {
        test::WriteBytes(folder.Native("f" + std::to_string(i)), i % 2 == 0 ? "abc" : "");
    }
    std::string list;
    for (std::size_t line = 0; line < kLines; ++line) {
        const std::size_t file = line % kFiles;
        list += kMd5OfAbc + "  f" + std::to_string(file) + "\n";
    }
    test::WriteBytes(folder.Native("list.md5"), list);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(run.StartVerify(Opened(folder.U16("list.md5")), folder.U16() + u"/",
                                *AlgorithmWithId("md5"), "|"));
    ListTable table;
    while (run.IsActive() && !ended) {
        table.Append(run.TakeRows());
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    run.Finish();
    table.Append(run.TakeRows());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    RecordProperty("seconds", std::to_string(seconds));
    ASSERT_EQ(table.Size(), kLines);
    EXPECT_EQ(table.Counts(), (ListCounts{kLines / 2, kLines / 2, 0, 0, 0}));
    for (std::size_t row = 0; row < kLines; row += 997) EXPECT_EQ(table.Row(row).line, row + 1);
}

}  // namespace
}  // namespace tessik
