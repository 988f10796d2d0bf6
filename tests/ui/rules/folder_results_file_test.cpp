#include "ui/rules/folder_results_file.h"

#include <gtest/gtest.h>

#include "lists/checksum_line.h"
#include "platform/path_encoding.h"
#include "support/known_digests.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

using test::kMd5OfAbc;
using test::kSha1OfAbc;

FolderResult Result(std::u16string path, const char* id, const std::string& hex) {
    return {std::move(path), AlgorithmWithId(id), DigestFromHex(hex)};
}

TEST(FolderResultsFileTest, ListsAreWrittenAsTheStandardToolsWriteThemWithoutUnreadableFiles) {
    SKIP_ON_WINDOWS("a backslash is a separator there, never part of a name");
    const std::vector<FolderResult> results = {Result(u"a.txt", "md5", kMd5OfAbc),
                                               Result(u"sub/unreadable", "md5", ""),
                                               Result(u"sub/back\\slash", "md5", kMd5OfAbc),
                                               Result(FromNativePath("caf\xE9"), "md5", kMd5OfAbc)};
    const ResultsFile gnu = FormatResults(results, ResultsFormat::kGnuList, u"");
    EXPECT_FALSE(gnu.severalAlgorithms);
    EXPECT_EQ(gnu.leftOut, 1u);
    EXPECT_EQ(gnu.bytes, kMd5OfAbc + "  a.txt\n\\" + kMd5OfAbc + "  sub/back\\\\slash\n" +
                             kMd5OfAbc + "  caf\xE9\n");
    const ResultsFile bsd = FormatResults(results, ResultsFormat::kBsdList, u"");
    EXPECT_EQ(bsd.bytes, "MD5 (a.txt) = " + kMd5OfAbc + "\n\\MD5 (sub/back\\\\slash) = " +
                             kMd5OfAbc + "\nMD5 (caf\xE9) = " + kMd5OfAbc + "\n");
    EXPECT_EQ(FormatResults({}, ResultsFormat::kGnuList, u"").bytes, "");
}

TEST(FolderResultsFileTest, OnlyABsdListTellsTheAlgorithmsOfARunApart) {
    const std::vector<FolderResult> results = {Result(u"unread", "sha1", ""),
                                               Result(u"a", "md5", kMd5OfAbc),
                                               Result(u"b", "sha1", kSha1OfAbc)};
    const ResultsFile gnu = FormatResults(results, ResultsFormat::kGnuList, u"");
    EXPECT_TRUE(gnu.severalAlgorithms);
    EXPECT_EQ(gnu.bytes, "");
    EXPECT_EQ(FormatResults(results, ResultsFormat::kBsdList, u"").bytes,
              "MD5 (a) = " + kMd5OfAbc + "\nSHA1 (b) = " + kSha1OfAbc + "\n");
    // Unreadable files of another algorithm do not count.
    EXPECT_FALSE(
        FormatResults({results[0], results[1]}, ResultsFormat::kGnuList, u"").severalAlgorithms);
}

TEST(FolderResultsFileTest, TheOutputAsShownGetsTheJobsLineEndsAndTheNamesTheirBytes) {
    const std::u16string shown = u"/d/a|x\n" + FromNativePath("/d/caf\xE9") + u"|\nedited";
    const ResultsFile file = FormatResults({}, ResultsFormat::kOutputAsShown, shown);
    EXPECT_EQ(file.bytes, "/d/a|x\r\n/d/caf\xE9|\r\nedited");
    EXPECT_FALSE(file.severalAlgorithms);
}

TEST(FolderResultsFileTest, TheListIsSuggestedInTheFolderUnderTheNameTheToolsGiveIt) {
    SKIP_ON_WINDOWS("the cases are Linux paths");
    const std::vector<FolderResult> sha256 = {Result(u"a", "sha2-256", std::string(64, '0'))};
    EXPECT_EQ(SuggestedResultsPath(u"/data/photos", sha256), u"/data/photos/SHA256SUMS");
    EXPECT_EQ(SuggestedResultsPath(u"/data/photos/", sha256), u"/data/photos/SHA256SUMS");
    EXPECT_EQ(SuggestedResultsPath(u"/", {Result(u"a", "sha3-256", std::string(64, '0'))}),
              u"/SHA3-256SUMS");
}

}  // namespace
}  // namespace tessik
