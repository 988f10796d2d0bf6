#include "ui/rules/checksum_list_rules.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "platform/path_encoding.h"
#include "support/temporary_folder.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

const std::string kMd5 = "d41d8cd98f00b204e9800998ecf8427e";
const std::string kSha256 = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";

int IndexOf(std::string_view id) {
    return static_cast<int>(AlgorithmWithId(id) - AlgorithmCatalogue().data());
}

TEST(ChecksumListRulesTest, AFileIsAListByItsNameOrByItsFirstLines) {
    SKIP_ON_WINDOWS("no FIFOs or Unix-domain sockets in a Windows file system");
    test::TemporaryFolder folder;
    const std::string longLine(kListPreviewBytes + 10, 'x');
    struct Case {
        const char* name;
        std::string content;
        bool list;
        std::size_t entries;
    };
    for (const Case& c : {
             Case{"SHA256SUMS", "anything\n", true, 0},
             Case{"photos.md5", "", true, 0},
             Case{"x.sha3-256", "", true, 0},
             Case{"x.sha2-256", "", true, 0},
             Case{"notes.txt", kSha256 + "  a.iso\r\n# comment\n\n" + kMd5 + " *b\n", true, 2},
             Case{"tagged", "SHA256 (a.iso) = " + kSha256 + "\n", true, 1},
             Case{"ours", "/data/a.iso|" + kMd5 + "\r\n", true, 1},
             Case{"x.sfv", "", true, 0},
             Case{"x.b3", "", true, 0},
             Case{"sfv.txt", "; made by hand\n20240101 a.iso 3610A686\n", true, 1},
             Case{"mixed.txt", kSha256 + "  a.iso\nsome prose\n", false, 1},
             Case{"prose.txt", "Dear reader,\nthis is no list.\n", false, 0},
             Case{"empty", "", false, 0},
             Case{"binary.bin",
                  std::string("\x7f"
                              "ELF\0\x01\x02",
                              7),
                  false, 0},
             // The preview sees whole lines only: an entry cut by its end is not looked at.
             Case{"long.txt", kMd5 + "  a\n" + longLine + "\n", true, 1},
             Case{"first-line-too-long", longLine, false, 0},
         }) {
        test::WriteBytes(folder.Native(c.name), c.content);
        const ListPreview preview = PreviewList(folder.U16(c.name), "|");
        EXPECT_EQ(preview.failure, ReadFailure::kNone) << c.name;
        EXPECT_EQ(preview.entries, c.entries) << c.name;
        EXPECT_EQ(IsRecognisablyAList(folder.U16(c.name), preview), c.list) << c.name;
    }
    // An SFV line names CRC-32, and its name stays whole.
    const ListPreview sfv = PreviewList(folder.U16("sfv.txt"), "|");
    EXPECT_EQ(InitialListAlgorithm(folder.U16("sfv.txt"), sfv, IndexOf("md5")).id, "crc32");
    EXPECT_EQ(PreviewList(folder.U16("nothing"), "|").failure, ReadFailure::kMissing);
    ASSERT_EQ(::mkfifo(folder.Native("fifo").c_str(), 0600), 0);
    EXPECT_EQ(PreviewList(folder.U16("fifo"), "|").failure, ReadFailure::kNotRegularFile);
}

TEST(ChecksumListRulesTest, TheListShowsTheAlgorithmItsNameOrTagOrDigestsStandFor) {
    const int sha512 = IndexOf("sha2-512");
    struct Case {
        const char* name;
        ListPreview preview;
        int mainSelection;
        std::string_view expected;
    };
    const AlgorithmInfo* keccak = AlgorithmWithId("keccak-256");
    for (const Case& c : {
             Case{"/l/SHA1SUMS", {}, sha512, "sha1"},
             Case{"/l/x.sfv", {}, sha512, "crc32"},
             Case{"/l/x.keccak-512", {ReadFailure::kNone, 1, 0, keccak, 32}, sha512, "keccak-512"},
             Case{"/l/list.txt", {ReadFailure::kNone, 1, 0, keccak, 32}, sha512, "keccak-256"},
             Case{"/l/list.txt", {}, IndexOf("djb"), "djb"},
             Case{"/l/list.txt", {ReadFailure::kNone, 1, 0, nullptr, 64}, sha512, "sha2-512"},
             Case{"/l/list.txt",
                  {ReadFailure::kNone, 1, 0, nullptr, 64},
                  IndexOf("sha3-512"),
                  "sha3-512"},
             // The selection's digests are of another length.
             Case{"/l/list.txt", {ReadFailure::kNone, 1, 0, nullptr, 20}, sha512, "sha1"},
             Case{"/l/list.txt", {ReadFailure::kNone, 1, 0, nullptr, 16}, sha512, "md5"},
             Case{"/l/list.txt",
                  {ReadFailure::kNone, 1, 0, nullptr, 32},
                  IndexOf("md4"),
                  "sha2-256"},
             Case{"/l/list.txt", {ReadFailure::kNone, 1, 0, nullptr, 4}, sha512, "sha2-512"},
         }) {
        EXPECT_EQ(InitialListAlgorithm(FromNativePath(c.name), c.preview, c.mainSelection).id,
                  c.expected)
            << c.name << " " << c.preview.digestBytes;
    }
}

TEST(ChecksumListRulesTest, TheFilterOffersEveryListName) {
    const std::u16string filter = ChecksumListFilter(u"Lists", u"All files(*.*)|*.*||");
    EXPECT_TRUE(filter.starts_with(u"Lists|*.md2;")) << std::string(filter.begin(), filter.end());
    for (const char16_t* pattern :
         {u"*.md5;", u"*.sha256;", u"*.sha2-256;", u"*.sha3-256;", u"*.keccak-512;", u"*.sdbm;",
          u"*.xxh128;", u"*.blake3;", u"*.sfv;*.b3;*SUMS;*SUMS.*|"}) {
        EXPECT_NE(filter.find(pattern), std::u16string::npos)
            << std::string(pattern, pattern + std::char_traits<char16_t>::length(pattern));
    }
    EXPECT_EQ(filter.find(u"*.sha256;*.sha256;"), std::u16string::npos);
    EXPECT_TRUE(filter.ends_with(u"|All files(*.*)|*.*||"));
}

TEST(ChecksumListRulesTest, ADropOpensWhatItHolds) {
    test::TemporaryFolder folder;
    test::WriteBytes(folder.Native("a.iso"), "iso");
    test::WriteBytes(folder.Native("SHA256SUMS"), kSha256 + "  a.iso\n");
    test::WriteBytes(folder.Native("sums.txt"), kSha256 + "  a.iso\n");
    test::MakeFolder(folder.Native("photos"));
    struct Case {
        std::vector<std::u16string> paths;
        DropAction action;
    };
    for (const Case& c : {
             Case{{}, DropAction::kNone},
             Case{{folder.U16("a.iso")}, DropAction::kFileName},
             Case{{folder.U16("gone")}, DropAction::kFileName},
             Case{{folder.U16("SHA256SUMS")}, DropAction::kVerifyList},
             Case{{folder.U16("sums.txt")}, DropAction::kVerifyList},
             Case{{folder.U16("photos")}, DropAction::kFolderWindow},
             Case{{folder.U16("a.iso"), folder.U16("SHA256SUMS")}, DropAction::kHashFiles},
             Case{{folder.U16("photos"), folder.U16("a.iso")}, DropAction::kHashFiles},
         }) {
        EXPECT_EQ(ActionForDrop(c.paths, "|"), c.action) << c.paths.size();
    }
}

}  // namespace
}  // namespace tessik
