#include "platform/path_utilities.h"

#include <gtest/gtest.h>

#include "platform/path_encoding.h"
#include "support/temporary_folder.h"

namespace tessik {
namespace {

struct CutCase {
    std::u16string in, out;
};

TEST(PathUtilities, DirectoryPartKeepsTheLastSeparatorButNeverLooksAtPositionZero) {
    const CutCase cases[] = {
        {u"C:\\x\\prog.exe", u"C:\\x\\"},
        {u"C:\\x\\sub", u"C:\\x\\"},
        {u"prog.exe", u"prog.exe"},
        {u"C:\\", u"C:\\"},
        {u"\\name", u"\\name"},
        {u"/usr/bin/x", u"/usr/bin/"},
        {u"a/b\\c", u"a/b\\"},
        {u"", u""},
        {u"/", u"/"},
    };
    for (const auto& c : cases) EXPECT_EQ(DirectoryPart(c.in), c.out);
}

TEST(PathUtilities, FileNamePartPassesOverATrailingSeparator) {
    const CutCase cases[] = {
        {u"C:\\dir\\*.*", u"*.*"},
        {u"C:/dir/*.*", u"*.*"},
        {u"C:\\dir\\", u"dir\\"},
        {u"name", u"name"},
        {u"\\name", u"\\name"},
        {u"/data/photos*.*", u"photos*.*"},
        {u"", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(FileNamePart(c.in), c.out);
}

TEST(PathUtilities, ExtensionStartsAtTheLastDotAfterPositionZero) {
    const CutCase cases[] = {
        {u"x.tar.gz", u".gz"}, {u"README", u""},          {u".profile", u""},
        {u"a.", u"."},         {u"archive.TAR", u".TAR"}, {u"", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(ExtensionOf(c.in), c.out);
    EXPECT_EQ(LowerExtensionOf(u"archive.TAR"), u".tar");
    EXPECT_EQ(AsciiLower(u"\u00c4BC.TXT"), u"\u00c4bc.txt");
}

// Drives and shares count only where paths have them; lists hold '/' wherever '\' separates.
TEST(PathUtilities, AbsolutePathsAndListNamesFollowTheSystemsPaths) {
    constexpr bool kWindows = kPathsHaveDrives;
    const struct {
        std::u16string path;
        bool absolute;
        std::string listName;
    } cases[] = {
        {u"/usr/x", true, "/usr/x"},
        {u"\\\\server\\share\\x", true, kWindows ? "//server/share/x" : "\\\\server\\share\\x"},
        {u"//server/share/x", true, "//server/share/x"},
        {u"C:\\dir\\x", kWindows, kWindows ? "C:/dir/x" : "C:\\dir\\x"},
        {u"z:/dir", kWindows, "z:/dir"},
        {u"c:x", kWindows, "c:x"},
        {u"dir\\x", false, kWindows ? "dir/x" : "dir\\x"},
        {u"1:\\x", false, kWindows ? "1:/x" : "1:\\x"},
        {u"\u00c4:\\x", false, kWindows ? "\xc3\x84:/x" : "\xc3\x84:\\x"},
        {u":x", false, ":x"},
        {u"C", false, "C"},
        {u"", false, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsAbsolutePath(c.path), c.absolute) << ToNativePath(c.path);
        EXPECT_EQ(ToListName(c.path), c.listName) << ToNativePath(c.path);
    }
}

TEST(PathUtilities, ExistenceTestsTellFilesFromFolders) {
    test::TemporaryFolder temp;
    test::WriteBytes(temp.Native("file"), "");
    EXPECT_TRUE(FileExists(temp.U16("file")));
    EXPECT_FALSE(DirectoryExists(temp.U16("file")));
    EXPECT_TRUE(DirectoryExists(temp.U16()));
    EXPECT_FALSE(FileExists(temp.U16()));
    EXPECT_FALSE(FileExists(u""));
    EXPECT_FALSE(DirectoryExists(u""));
}

}  // namespace
}  // namespace tessik
