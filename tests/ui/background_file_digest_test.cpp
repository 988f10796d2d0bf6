#include "ui/background_file_digest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <string>

#include "digest/algorithm_catalogue.h"
#include "digest/hex.h"
#include "support/system_call_faults.h"
#include "support/temporary_folder.h"

namespace tessik {
namespace {

constexpr int kMd5 = 2;

std::unique_ptr<DigestEngine> Md5() {
    return AlgorithmForIndex(kMd5).makeEngine();
}

class BackgroundFileDigestTest : public ::testing::Test {
  protected:
    test::TemporaryFolder temp;
    std::atomic<int> ended{0};
    BackgroundFileDigest digest{[this] { ++ended; }};
};

TEST_F(BackgroundFileDigestTest, EndsWithTheDigestTheFailureOrNothing) {
    test::WriteBytes(temp.Native("abc.txt"), "abc");
    test::MakeFolder(temp.Native("dir"));
    struct Case {
        std::string name;
        FileDigestOutcome outcome;
        ReadFailure failure;
        std::string hex;
    };
    for (const Case& c : {
             Case{"abc.txt", FileDigestOutcome::kDigest, ReadFailure::kNone,
                  "900150983cd24fb0d6963f7d28e17f72"},  // RFC 1321
             Case{"missing", FileDigestOutcome::kUnreadable, ReadFailure::kMissing, ""},
             Case{"dir", FileDigestOutcome::kUnreadable, ReadFailure::kFolder, ""},
         }) {
        const int before = ended;
        ASSERT_TRUE(digest.Start(Md5(), temp.U16(c.name)));
        EXPECT_TRUE(digest.IsActive());
        const FileDigestResult result = digest.Finish();
        EXPECT_FALSE(digest.IsActive());
        EXPECT_EQ(ended, before + 1) << c.name;
        EXPECT_EQ(result.outcome, c.outcome) << c.name;
        EXPECT_EQ(result.failure, c.failure) << c.name;
        EXPECT_EQ(HexDigest(result.digest), c.hex) << c.name;
    }
    EXPECT_EQ(digest.CurrentProgress().done, 0u);  // the last file had nothing to read
}

TEST_F(BackgroundFileDigestTest, ACancelWhileTheFileIsReadEndsWithoutADigest) {
    test::WriteBytes(temp.Native("big.bin"), std::string(3u << 20, 'x'));
    {
        std::promise<void> reached;
        test::HeldCall held(test::Call::kRead, 1, [&] { reached.set_value(); });
        ASSERT_TRUE(digest.Start(Md5(), temp.U16("big.bin")));
        reached.get_future().wait();
        EXPECT_FALSE(digest.Start(Md5(), temp.U16("big.bin"))) << "one hash at a time";
        digest.Cancel();
        held.Release();
        const FileDigestResult result = digest.Finish();
        EXPECT_EQ(result.outcome, FileDigestOutcome::kCancelled);
        EXPECT_TRUE(result.digest.empty());
        EXPECT_LT(result.bytes, 3u << 20);
    }
    // The next hash starts afresh and reports the whole file at its end.
    ASSERT_TRUE(digest.Start(Md5(), temp.U16("big.bin")));
    EXPECT_EQ(digest.Finish().outcome, FileDigestOutcome::kDigest);
    EXPECT_EQ(digest.CurrentProgress().done, 3u << 20);
    EXPECT_EQ(digest.CurrentProgress().total, 3u << 20);
    EXPECT_EQ(ended, 2);
}

TEST_F(BackgroundFileDigestTest, FinishWithoutAHashReportsNothing) {
    EXPECT_EQ(digest.Finish().outcome, FileDigestOutcome::kCancelled);
    EXPECT_FALSE(digest.Start(nullptr, temp.U16("x")));
    EXPECT_EQ(ended, 0);
}

}  // namespace
}  // namespace tessik
