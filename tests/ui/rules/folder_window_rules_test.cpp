#include "ui/rules/folder_window_rules.h"

#include <gtest/gtest.h>
#include <filesystem>

#include "platform/path_encoding.h"
#include "support/temporary_folder.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

TEST(FolderWindowRulesTest, AChosenFolderEndsWithASeparator) {
    struct Case {
        std::u16string chosen;
        std::u16string field;
    };
    for (const Case& c : {
             Case{u"/home/user/Photos", u"/home/user/Photos" + std::u16string(1, kPathSeparator)},
             Case{u"/", u"/"}, Case{u"/home/user/", u"/home/user/"},
             Case{u"C:\\data\\", u"C:\\data\\"},
             Case{u"relative", u"relative" + std::u16string(1, kPathSeparator)},
             Case{u"", u""},  // nothing chosen: nothing to end
         }) {
        EXPECT_EQ(FolderFieldText(c.chosen), c.field);
    }
}

TEST(FolderWindowRulesTest, OnlyCrLfPairsBecomeLineFeeds) {
    struct Case {
        std::u16string text;
        std::u16string shown;
    };
    for (const Case& c : {
             Case{u"/a|1\r\n/b|2\r\n", u"/a|1\n/b|2\n"},
             Case{u"", u""},
             Case{u"\r\n", u"\n"},
             Case{u"\r\r\n", u"\r\n"},  // a carriage return of a file name stays
             Case{u"a\rb\n\r", u"a\rb\n\r"},
             Case{u"/x\r", u"/x\r"},
         }) {
        EXPECT_EQ(WithLineFeeds(c.text), c.shown);
    }
}

TEST(FolderWindowRulesTest, OnlyAFolderOrNothingCanBeWalked) {
    SKIP_ON_WINDOWS("symbolic links need a privilege on Windows and are left to the Linux tests");
    test::TemporaryFolder temp;
    test::MakeFolder(temp.Native("dir"));
    test::WriteBytes(temp.Native("file.txt"), "x");
    std::filesystem::create_directory_symlink("dir", temp.Native("link"));
    struct Case {
        std::u16string folder;
        FolderProblem problem;
    };
    for (const Case& c : {
             Case{temp.U16("dir"), FolderProblem::kNone},
             Case{temp.U16("dir/"), FolderProblem::kNone},
             Case{temp.U16("link"), FolderProblem::kNone},
             Case{u"", FolderProblem::kNone},  // the current folder
             Case{temp.U16("file.txt"), FolderProblem::kIsFile},
             Case{temp.U16("missing"), FolderProblem::kMissing},
             Case{temp.U16("file.txt/"), FolderProblem::kMissing},
         }) {
        EXPECT_EQ(ProblemWithFolder(c.folder), c.problem)
            << std::string(c.folder.begin(), c.folder.end());
    }
}

TEST(FolderWindowRulesTest, AnEmptyFilterIsKeptAsAStar) {
    EXPECT_EQ(StoredFilter(u""), u"*");
    EXPECT_EQ(StoredFilter(u" "), u" ");
    EXPECT_EQ(StoredFilter(u"*.txt"), u"*.txt");
}

// The save dialog gives back the position of the entry chosen; one it could not have given
// still picks a format offered, never one beyond the list.
TEST(FolderWindowRulesTest, TheChosenFilterEntryIsAFormatOffered) {
    const std::vector<ResultsFormat> offered = {ResultsFormat::kBsdList,
                                                ResultsFormat::kOutputAsShown};
    struct Case {
        int entry;
        ResultsFormat format;
    };
    for (const Case& c :
         {Case{0, ResultsFormat::kBsdList}, Case{1, ResultsFormat::kOutputAsShown},
          Case{2, ResultsFormat::kOutputAsShown}, Case{-1, ResultsFormat::kBsdList}}) {
        EXPECT_EQ(ChosenResultsFormat(offered, c.entry), c.format) << c.entry;
    }
    EXPECT_EQ(ChosenResultsFormat({}, 0), ResultsFormat::kOutputAsShown);
}

}  // namespace
}  // namespace tessik
