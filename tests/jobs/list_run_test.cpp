#include "jobs/list_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

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
    VerifyStatus status;
    ReadFailure failure = ReadFailure::kNone;
    bool operator==(const Seen&) const = default;
};

// A list file's bytes, from a file kept open as long as the run reads it.
ListBytes BytesOfFile(const std::u16string& path) {
    auto file = std::make_shared<InputFile>();
    EXPECT_EQ(file->Open(path), ReadFailure::kNone);
    return [file](char* buffer, std::size_t capacity) { return file->Read(buffer, capacity); };
}

class ListRunTest : public ::testing::Test {
  protected:
    // Waits for the run's end, taking the rows as they come.
    std::vector<Seen> Finish() {
        std::vector<Seen> seen;
        bool ended = false;
        while (!ended) {
            ended = run.WaitForEnd(std::chrono::milliseconds(50));
            for (const VerifyResult& row : run.TakeRows()) {
                seen.push_back({row.lineNumber, row.name, row.status, row.failure});
            }
        }
        ending = run.Finish();
        return seen;
    }

    test::TemporaryFolder folder;
    ListRun run;
    ListRunEnding ending;
};

// Names are taken from the list's folder, wherever the program runs; every kind of entry gets
// its status, in list order, although two workers hash the files.
TEST_F(ListRunTest, ChecksAListAgainstTheFilesBesideIt) {
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
    ListToCheck check;
    check.bytes = BytesOfFile(folder.U16("lists/SUMS.md5"));
    check.separator = "|";
    check.listFolder = folder.U16("lists/");
    check.ofList = AlgorithmWithId("md5");
    check.workers = 2;
    ASSERT_TRUE(run.Start(CheckingList(check)));
    EXPECT_FALSE(run.Start(CheckingList(check)));  // one run at a time
    const std::vector<Seen> expected = {
        {1, "abc", VerifyStatus::kOk},
        {2, "sub/empty", VerifyStatus::kFailed},
        {3, "gone", VerifyStatus::kMissing, ReadFailure::kMissing},
        {4, "sub", VerifyStatus::kUnreadable, ReadFailure::kFolder},
        {5, "fifo", VerifyStatus::kUnreadable, ReadFailure::kNotRegularFile},
        {6, "loop", VerifyStatus::kUnreadable, ReadFailure::kLinkLoop},
        {8, "", VerifyStatus::kMalformed},
        {9, "../outside", VerifyStatus::kOk},
        {10, "abc", VerifyStatus::kMalformed},
        {11, folder.path() + "/outside", VerifyStatus::kOk},
    };
    EXPECT_EQ(Finish(), expected);
    EXPECT_FALSE(ending.stopped);
    EXPECT_FALSE(ending.listReadFailed);
    const RunProgress progress = run.Progress();
    EXPECT_EQ(progress.filesDone, expected.size());
    EXPECT_EQ(progress.bytesDone, 9u);  // abc, the empty file, outside twice
}

TEST_F(ListRunTest, AListCutByAReadErrorIsSaidToBe) {
    int reads = 0;
    ListToCheck check;
    const std::string first = kMd5OfNothing + "  gone\n";
    check.bytes = [&](char* buffer, std::size_t capacity) -> std::int64_t {
        if (reads++ > 0) return -1;
        const std::size_t count = std::min(capacity, first.size());
        first.copy(buffer, count);
        return static_cast<std::int64_t>(count);
    };
    check.ofList = AlgorithmWithId("md5");
    ASSERT_TRUE(run.Start(CheckingList(check)));
    EXPECT_EQ(Finish().size(), 1u);
    EXPECT_TRUE(ending.listReadFailed);
}

// A list of 100,000 lines, naming 1,000 files over and over: every line checked, in order.
TEST_F(ListRunTest, ChecksAListOfAHundredThousandLines) {
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
    ListToCheck check;
    check.bytes = BytesOfFile(folder.U16("list.md5"));
    check.listFolder = folder.U16() + u"/";
    check.ofList = AlgorithmWithId("md5");
    ASSERT_TRUE(run.Start(CheckingList(std::move(check))));
    const std::vector<Seen> seen = Finish();
    ASSERT_EQ(seen.size(), kLines);
    std::size_t ok = 0;
    for (std::size_t row = 0; row < kLines; ++row) {
        EXPECT_EQ(seen[row].line, row + 1);
        ok += seen[row].status == VerifyStatus::kOk ? 1 : 0;
    }
    EXPECT_EQ(ok, kLines / 2);
    EXPECT_EQ(run.Progress().bytesDone, 3 * kLines / 2);
}

}  // namespace
}  // namespace tessik
