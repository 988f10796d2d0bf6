#include "lists/list_appender.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "digest/hex.h"
#include "support/known_digests.h"
#include "support/system_call_faults.h"
#include "support/temporary_folder.h"

namespace tessik {
namespace {

using test::kMd5OfAbc;
using test::kMd5OfNothing;

// Each list gets lines for "new" and "sub/new" (both "abc") the way its first entry is written.
TEST(ListAppender, AddsLinesInTheListsOwnForm) {
    const std::string upper = AsciiUpper(kMd5OfAbc);
    const std::string clearSigned = "-----BEGIN PGP SIGNED MESSAGE-----\nHash: SHA256\n\n" +
                                    kMd5OfNothing + "  old\n-----BEGIN PGP SIGNATURE-----\n";
    const struct {
        const char* what;
        const char* list;
        std::string bytes;
        std::string added;  // with the status kAdded; otherwise the list stays as it was
        AppendStatus status = AppendStatus::kAdded;
        const AlgorithmInfo* fallback = nullptr;
    } cases[] = {
        {"GNU", "a.md5", kMd5OfNothing + "  old\n",
         kMd5OfAbc + "  new\n" + kMd5OfAbc + "  sub/new\n"},
        {"GNU binary, \"./\", upper case, CR LF, no end at the end", "a.md5",
         AsciiUpper(kMd5OfNothing) + " *./old\r\n# x",
         "\r\n" + upper + " *./new\r\n" + upper + " *./sub/new\r\n"},
        {"BSD, algorithm from the tag", "CHECKSUM", "MD5 (old) = " + kMd5OfNothing + "\n",
         "MD5 (new) = " + kMd5OfAbc + "\nMD5 (sub/new) = " + kMd5OfAbc + "\n"},
        {"empty, algorithm from the name", "a.md5", "",
         kMd5OfAbc + "  new\n" + kMd5OfAbc + "  sub/new\n"},
        {"a length several algorithms share, with the check's algorithm", "list.txt",
         kMd5OfNothing + "  old\n", kMd5OfAbc + "  new\n" + kMd5OfAbc + "  sub/new\n",
         AppendStatus::kAdded, AlgorithmWithId("md5")},
        {"a length several algorithms share, alone", "list.txt", kMd5OfNothing + "  old\n", "",
         AppendStatus::kNoAlgorithm},
        {"clear-signed", "a.md5", clearSigned, "", AppendStatus::kClearSigned},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TemporaryFolder temp;
        test::MakeFolder(temp.Native("sub"));
        test::WriteBytes(temp.Native("new"), "abc");
        test::WriteBytes(temp.Native("sub/new"), "abc");
        test::WriteBytes(temp.Native(c.list), c.bytes);
        AppendOptions options;
        options.algorithm = c.fallback;
        const AppendOutcome outcome = AddFilesToList(
            temp.U16(c.list), temp.U16() + u"/", {temp.U16("new"), temp.U16("sub/new")}, options);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(outcome.added, c.status == AppendStatus::kAdded ? 2U : 0U);
        EXPECT_EQ(test::ReadBytes(temp.Native(c.list)), c.bytes + c.added);
    }
}

// The folder window's own lines name files by their full paths.
TEST(ListAppender, AddsSeparatedLinesWithFullPaths) {
    test::TemporaryFolder temp;
    test::WriteBytes(temp.Native("new"), "abc");
    test::WriteBytes(temp.Native("results.txt"), "/elsewhere/old|" + kMd5OfNothing + "\r\n");
    AppendOptions options;
    options.separator = "|";
    options.algorithm = AlgorithmWithId("md5");
    const AppendOutcome outcome =
        AddFilesToList(temp.U16("results.txt"), temp.U16() + u"/", {temp.U16("new")}, options);
    EXPECT_EQ(outcome.status, AppendStatus::kAdded);
    EXPECT_EQ(
        test::ReadBytes(temp.Native("results.txt")),
        "/elsewhere/old|" + kMd5OfNothing + "\r\n" + temp.Native("new") + "|" + kMd5OfAbc + "\r\n");
}

// A file that cannot be read is left out and said; a save that fails keeps the list as it was;
// a detached signature beside it no longer matches the lines added.
TEST(ListAppender, LeavesOutWhatItCannotReadAndKeepsTheListWhenTheSaveFails) {
    test::TemporaryFolder temp;
    test::WriteBytes(temp.Native("new"), "abc");
    const std::string list = kMd5OfNothing + "  old\n";
    test::WriteBytes(temp.Native("a.md5"), list);
    test::WriteBytes(temp.Native("a.md5.sig"), "signature");
    const std::vector<std::u16string> files = {temp.U16("gone"), temp.U16("new")};
    {
        const test::ReadOnlyFolder readOnly(temp.path());
        const AppendOutcome failed =
            AddFilesToList(temp.U16("a.md5"), temp.U16() + u"/", files, {});
        EXPECT_EQ(failed.status, AppendStatus::kNotSaved);
        EXPECT_NE(failed.saveFailure, WriteFailure::kNone);
        EXPECT_EQ(test::ReadBytes(temp.Native("a.md5")), list);
    }
    const AppendOutcome saved = AddFilesToList(temp.U16("a.md5"), temp.U16() + u"/", files, {});
    EXPECT_EQ(saved.status, AppendStatus::kAdded);
    ASSERT_EQ(saved.unread.size(), 1U);
    EXPECT_EQ(saved.unread[0].path, temp.U16("gone"));
    EXPECT_EQ(saved.unread[0].failure, ReadFailure::kMissing);
    EXPECT_EQ(saved.staleSignature, temp.U16("a.md5.sig"));
    EXPECT_EQ(test::ReadBytes(temp.Native("a.md5")), list + kMd5OfAbc + "  new\n");
}

}  // namespace
}  // namespace tessik
