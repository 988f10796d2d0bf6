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
    EXPECT_EQ(gnu.leftOut, 1u);
    EXPECT_EQ(gnu.bytes, kMd5OfAbc + "  a.txt\n\\" + kMd5OfAbc + "  sub/back\\\\slash\n" +
                             kMd5OfAbc + "  caf\xE9\n");
    const ResultsFile bsd = FormatResults(results, ResultsFormat::kBsdList, u"");
    EXPECT_EQ(bsd.bytes, "MD5 (a.txt) = " + kMd5OfAbc + "\n\\MD5 (sub/back\\\\slash) = " +
                             kMd5OfAbc + "\nMD5 (caf\xE9) = " + kMd5OfAbc + "\n");
    EXPECT_EQ(FormatResults({}, ResultsFormat::kGnuList, u"").bytes, "");
}

// GNU and SFV lines name no algorithm: only a BSD list tells those of a run apart.
TEST(FolderResultsFileTest, TheFormatsOfferedAreThoseTheRunFits) {
    using F = ResultsFormat;
    const FolderResult unread = Result(u"unread", "sha1", "");
    const FolderResult md5 = Result(u"a", "md5", kMd5OfAbc);
    const FolderResult crc = Result(u"c", "crc32", "352441c2");
    FolderResult several = Result(u"s", "crc32", "352441c2");
    several.alsoWith = {AlgorithmWithId("md5")};
    several.alsoDigests = {DigestFromHex(kMd5OfAbc)};
    const struct {
        const char* what;
        std::vector<FolderResult> results;
        std::vector<ResultsFormat> formats;
    } cases[] = {
        {"nothing", {}, {F::kGnuList, F::kBsdList, F::kOutputAsShown}},
        {"one algorithm", {md5, md5}, {F::kGnuList, F::kBsdList, F::kOutputAsShown}},
        {"unreadable files of another",
         {unread, md5},
         {F::kGnuList, F::kBsdList, F::kOutputAsShown}},
        {"two", {md5, Result(u"b", "sha1", kSha1OfAbc)}, {F::kBsdList, F::kOutputAsShown}},
        {"CRC-32", {crc}, {F::kGnuList, F::kBsdList, F::kSfvList, F::kOutputAsShown}},
        {"CRC-32 and another", {crc, md5}, {F::kBsdList, F::kOutputAsShown}},
        {"several from one read", {several}, {F::kBsdList, F::kOutputAsShown}},
    };
    for (const auto& c : cases) EXPECT_EQ(FittingFormats(c.results), c.formats) << c.what;
    EXPECT_EQ(FormatResults({crc, unread}, F::kSfvList, u"").bytes, "c 352441C2\n");
    EXPECT_EQ(FormatResults({md5, Result(u"b", "sha1", kSha1OfAbc)}, F::kBsdList, u"").bytes,
              "MD5 (a) = " + kMd5OfAbc + "\nSHA1 (b) = " + kSha1OfAbc + "\n");
    EXPECT_EQ(FormatResults({several}, F::kBsdList, u"").bytes,
              "CRC32 (s) = 352441c2\nMD5 (s) = " + kMd5OfAbc + "\n");
}

TEST(FolderResultsFileTest, TheOutputAsShownGetsTheJobsLineEndsAndTheNamesTheirBytes) {
    const std::u16string shown = u"/d/a|x\n" + FromNativePath("/d/caf\xE9") + u"|\nedited";
    const ResultsFile file = FormatResults({}, ResultsFormat::kOutputAsShown, shown);
    EXPECT_EQ(file.bytes, "/d/a|x\r\n/d/caf\xE9|\r\nedited");
}

TEST(FolderResultsFileTest, TheListIsSuggestedInTheFolderUnderTheNameTheToolsGiveIt) {
    SKIP_ON_WINDOWS("the cases are Linux paths");
    const std::vector<FolderResult> sha256 = {Result(u"a", "sha2-256", std::string(64, '0'))};
    EXPECT_EQ(SuggestedResultsPath(u"/data/photos", sha256), u"/data/photos/SHA256SUMS");
    EXPECT_EQ(SuggestedResultsPath(u"/data/photos/", sha256), u"/data/photos/SHA256SUMS");
    EXPECT_EQ(SuggestedResultsPath(u"/", {Result(u"a", "sha3-256", std::string(64, '0'))}),
              u"/SHA3-256SUMS");
    FolderResult several = Result(u"a", "crc32", "352441c2");
    several.alsoWith = {AlgorithmWithId("md5")};
    EXPECT_EQ(SuggestedResultsPath(u"/d", {several}), u"/d/CHECKSUMS");
}

}  // namespace
}  // namespace tessik
