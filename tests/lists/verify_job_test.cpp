#include "lists/verify_job.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "support/known_digests.h"
#include "support/temporary_folder.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

using test::kMd5OfAbc;
using test::kMd5OfNothing;

struct Outcome {
    std::uint64_t line;
    VerifyStatus status;
    std::string name;
    ReadFailure failure = ReadFailure::kNone;
};

std::vector<Outcome> Verify(const std::string& list, VerifyOptions options,
                            ListReading reading = ListReading::kLenient) {
    ChecksumListReader reader(BytesOf(list), "|", reading);
    std::vector<Outcome> outcomes;
    EXPECT_TRUE(VerifyList(reader, options, [&](const VerifyResult& result) {
        outcomes.push_back({result.lineNumber, result.status, result.name, result.failure});
    }));
    return outcomes;
}

// Every status, in list order, with one and with four workers, names taken from the list's
// folder.
TEST(VerifyJob, ReportsEachLineInListOrder) {
    test::TemporaryFolder temp;
    test::WriteBytes(temp.Native("abc"), "abc");
    test::WriteBytes(temp.Native("empty"), "");
    test::MakeFolder(temp.Native("folder"));
    std::string list = kMd5OfAbc + "  abc\n" +               // 1 matches
                       kMd5OfAbc + "  empty\n" +             // 2 differs
                       "not a line\n" +                      // 3 malformed
                       kMd5OfNothing + "  gone\n" +          // 4 missing
                       kMd5OfNothing + "  folder\n" +        // 5 a folder
                       "SHA1 (abc) = " + kMd5OfAbc + "\n" +  // 6 tag and length disagree
                       "MD5 (" + temp.path() + "/empty) = " + kMd5OfNothing + "\n" +  // 7
                       kMd5OfNothing + "  abc/x\n";  // 8 through a file: unreadable, not missing
    std::vector<Outcome> expected = {
        {1, VerifyStatus::kOk, "abc"},
        {2, VerifyStatus::kFailed, "empty"},
        {3, VerifyStatus::kMalformed, ""},
        {4, VerifyStatus::kMissing, "gone", ReadFailure::kMissing},
        {5, VerifyStatus::kUnreadable, "folder", ReadFailure::kFolder},
        {6, VerifyStatus::kMalformed, ""},
        {7, VerifyStatus::kOk, temp.path() + "/empty"},
        {8, VerifyStatus::kUnreadable, "abc/x", ReadFailure::kPathThroughFile},
    };
#ifndef _WIN32  // links need a privilege on Windows
    std::filesystem::create_symlink("loop", temp.Native("loop"));
    list += kMd5OfNothing + "  loop\n";  // 9 a loop: likewise
    expected.push_back({9, VerifyStatus::kUnreadable, "loop", ReadFailure::kLinkLoop});
#endif
    for (int workers : {1, 4}) {
        SCOPED_TRACE(workers);
        VerifyOptions options;
        options.listFolder = temp.U16() + u"/";
        options.named = AlgorithmWithId("md5");
        options.workers = workers;
        const std::vector<Outcome> got = Verify(list, options);
        ASSERT_EQ(got.size(), expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].line, expected[i].line) << i;
            EXPECT_EQ(got[i].status, expected[i].status) << i;
            EXPECT_EQ(got[i].failure, expected[i].failure) << i;
            if (expected[i].status != VerifyStatus::kMalformed) {
                EXPECT_EQ(got[i].name, expected[i].name) << i;
            }
        }
    }
}

// Lists made on Windows name files below their folder with '\'; a name that really holds one
// still comes first, and a digest too long for the list's algorithm is malformed on its line.
TEST(VerifyJob, LooksUpWindowsStyleNamesWithSlashesUnlessStrict) {
    SKIP_ON_WINDOWS("a backslash is a separator there, never part of a name");
    test::TemporaryFolder temp;
    test::MakeFolder(temp.Native("dir"));
    test::WriteBytes(temp.Native("dir/abc"), "abc");
    test::WriteBytes(temp.Native("odd\\name"), "abc");
    const std::string list = kMd5OfAbc + "  dir\\abc\n" + kMd5OfAbc + "  odd\\name\n" + kMd5OfAbc +
                             "  dir\\gone\n" + test::kSha1OfAbc + "  dir\\abc\n" + kMd5OfAbc +
                             "  dir\\\n";
    VerifyOptions options;
    options.listFolder = temp.U16() + u"/";
    options.ofList = AlgorithmWithId("md5");
    const struct {
        ListReading reading;
        std::vector<VerifyStatus> statuses;
    } cases[] = {
        {ListReading::kLenient,
         {VerifyStatus::kOk, VerifyStatus::kOk, VerifyStatus::kMissing, VerifyStatus::kMalformed,
          VerifyStatus::kMissing}},
        {ListReading::kStrict,
         {VerifyStatus::kMissing, VerifyStatus::kOk, VerifyStatus::kMissing,
          VerifyStatus::kMalformed, VerifyStatus::kMissing}},
    };
    for (const auto& c : cases) {
        const std::vector<Outcome> got = Verify(list, options, c.reading);
        ASSERT_EQ(got.size(), c.statuses.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].status, c.statuses[i]) << i;
            EXPECT_EQ(got[i].line, i + 1);
        }
    }
}

// Lines naming one file under several algorithms, as tessik-sum -a md5,sha1 writes them, read it
// once, as the bytes digested tell; each line is still checked and reported on its own, the
// file's failure on every one.
TEST(VerifyJob, ReadsAFileOnceForTheLinesThatNameItOneAfterAnother) {
    test::TemporaryFolder temp;
    const std::string content(1000, 'x');
    test::WriteBytes(temp.Native("x"), content);
    const std::string md5 = "398533d48111e9f664b1f64cb10c4b63";
    const std::string sha1 = "c3efa690fa3fdd2e2526853eed670538ea127638";
    const std::string list = "MD5 (x) = " + md5 + "\n" +                    // 1
                             "SHA1 (x) = " + sha1 + "\n" +                  // 2
                             "SHA1 (x) = " + std::string(40, '0') + "\n" +  // 3
                             "MD5 (x) = " + md5 + "\n" +                    // 4
                             "MD5 (gone) = " + md5 + "\n" +                 // 5
                             "SHA1 (gone) = " + sha1 + "\n" +               // 6
                             "MD5 (x) = " + md5 + "\nnot a line\n" +        // 7, 8
                             "MD5 (x) = " + md5 + "\n";                     // 9
    for (int workers : {1, 2}) {
        SCOPED_TRACE(workers);
        std::atomic<std::uint64_t> digested{0};
        VerifyOptions options;
        options.listFolder = temp.U16() + u"/";
        options.workers = workers;
        options.progress = [&](const std::u16string&, std::uint64_t, std::uint64_t,
                               std::uint64_t added) { digested += added; };
        const std::vector<Outcome> got = Verify(list, options);
        const std::vector<VerifyStatus> expected = {
            VerifyStatus::kOk, VerifyStatus::kOk,        VerifyStatus::kFailed,
            VerifyStatus::kOk, VerifyStatus::kMissing,   VerifyStatus::kMissing,
            VerifyStatus::kOk, VerifyStatus::kMalformed, VerifyStatus::kOk};
        ASSERT_EQ(got.size(), expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].line, i + 1);
            EXPECT_EQ(got[i].status, expected[i]) << i;
        }
        // Once for lines 1 to 4, once for 7 and once for 9.
        EXPECT_EQ(digested, 3 * content.size());
    }
}

TEST(VerifyJob, ReportsLinesThatSeveralAlgorithmsFit) {
    test::TemporaryFolder temp;
    test::WriteBytes(temp.Native("abc"), "abc");
    VerifyOptions options;
    options.listFolder = temp.U16() + u"/";
    ChecksumListReader reader(BytesOf(kMd5OfAbc + "  abc\n"), "|");
    std::vector<VerifyResult> results;
    VerifyList(reader, options, [&](const VerifyResult& result) { results.push_back(result); });
    ASSERT_EQ(results.size(), 1U);
    EXPECT_EQ(results[0].status, VerifyStatus::kAmbiguous);
    EXPECT_EQ(results[0].candidates.size(), 4U);  // MD2, MD4, MD5, XXH3-128
}

}  // namespace
}  // namespace tessik
