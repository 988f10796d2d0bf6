#include "folder/directory_walker.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/path_encoding.h"
#include "support/system_call_faults.h"
#include "support/temporary_folder.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

using Paths = std::vector<std::u16string>;

// Every path the walk reports, in order, and the folders it could not open. A walk that runs on
// far beyond any tree made here is cut off, so that a fault shows as a failure instead of a
// hang.
Paths Walk(const WalkOptions& options, std::vector<UnopenedFolder>* unopened = nullptr) {
    DirectoryWalker walker(options);
    Paths paths;
    std::u16string path;
    bool more = walker.FindFirst(path);
    for (int steps = 0; more && steps < 100000; ++steps) {
        if (!path.empty()) paths.push_back(path);
        more = walker.FindNext(path);
    }
    EXPECT_FALSE(more) << "the walk did not end";
    EXPECT_EQ(walker.FoldersNotOpened(), walker.UnopenedFolders().size());
    if (unopened != nullptr) *unopened = walker.UnopenedFolders();
    return paths;
}

WalkOptions Recursive(std::u16string root) {
    WalkOptions options;
    options.recurse = true;
    options.rootFolder = std::move(root);
    return options;
}

// The same names under each root, each prefixed with the folder and our separator.
Paths Under(const std::u16string& folder, const std::vector<std::u16string>& names) {
    Paths paths;
    for (std::u16string name : names) {
        std::replace(name.begin(), name.end(), u'/', kPathSeparator);
        paths.push_back(folder + kPathSeparator + name);
    }
    return paths;
}

void MakeTree(const test::TemporaryFolder& temp, const std::vector<std::string>& files,
              const std::vector<std::string>& folders = {}) {
    for (const auto& folder : folders) test::MakeFolder(temp.Native(folder));
    for (const auto& file : files) test::WriteBytes(temp.Native(file), "x");
}

TEST(DirectoryWalker, GoesDepthFirstInListingOrderWithOrWithoutTheRootsSeparator) {
    test::TemporaryFolder temp;
    MakeTree(temp, {"a.txt", "sub/b.txt", "z.txt"}, {"sub"});
    const std::u16string root = temp.U16();
    for (const std::u16string& given : {root, root + kPathSeparator}) {
        WalkOptions options = Recursive(given);
        EXPECT_EQ(Walk(options), Under(root, {u"a.txt", u"sub/b.txt", u"z.txt"}));
        options.recurse = false;
        EXPECT_EQ(Walk(options), Under(root, {u"a.txt", u"z.txt"}));
    }
}

TEST(DirectoryWalker, EntersHiddenFoldersButNeverReportsHiddenFilesOrDotEntries) {
    test::TemporaryFolder temp;
    MakeTree(temp, {".cache/c.txt", ".profile", "sub/.hidden", "sub/shown"}, {".cache", "sub"});
    EXPECT_EQ(Walk(Recursive(temp.U16())), Under(temp.U16(), {u".cache/c.txt", u"sub/shown"}));
}

TEST(DirectoryWalker, FirstStepReportsNothingAndAFinishedWalkStaysFinished) {
    test::TemporaryFolder temp;
    MakeTree(temp, {"only.txt"});
    DirectoryWalker walker(Recursive(temp.U16()));
    std::u16string path = u"stale";
    ASSERT_TRUE(walker.FindFirst(path));
    EXPECT_EQ(path, u"");  // "."
    ASSERT_TRUE(walker.FindNext(path));
    EXPECT_EQ(path, u"");  // ".."
    ASSERT_TRUE(walker.FindNext(path));
    EXPECT_EQ(path, temp.U16("only.txt"));
    EXPECT_FALSE(walker.FindNext(path));
    EXPECT_EQ(path, u"");
    EXPECT_FALSE(walker.FindNext(path));
}

TEST(DirectoryWalker, ExtensionFilter) {
    SKIP_ON_WINDOWS("Windows drops the dot that ends a name");
    test::TemporaryFolder temp;
    MakeTree(temp, {"A.TXT", "b.txt", "c.txt2", "d.tx", "etxt", "f.doc", "README", "x.tar.gz", "g.",
                    "h;x.a;b"});
    struct Case {
        std::u16string filter;
        std::vector<std::u16string> names;
    };
    const Case cases[] = {
        {u"*",
         {u"A.TXT", u"b.txt", u"c.txt2", u"d.tx", u"etxt", u"f.doc", u"g.", u"h;x.a;b", u"README",
          u"x.tar.gz"}},
        {u".txt", {u"A.TXT", u"b.txt"}},
        {u".TXT", {u"A.TXT", u"b.txt"}},
        {u".txt;", {u"A.TXT", u"b.txt"}},
        {u".txt;.doc", {u"A.TXT", u"b.txt", u"f.doc"}},
        {u"*.txt;*.doc", {u"A.TXT", u"b.txt", u"f.doc"}},
        {u".doc;.txt", {u"A.TXT", u"b.txt", u"f.doc"}},
        {u"txt", {}},
        {u".txtx;.txt", {}},  // only the first occurrence of ".txt" is looked at
        {u".tx", {u"d.tx"}},
        {u".gz", {u"x.tar.gz"}},
        {u".tar", {}},
        {u"", {}},
        {u".", {u"etxt", u"g.", u"README"}},
        {u".;", {u"etxt", u"g.", u"README"}},
        {u".;.doc", {u"etxt", u"f.doc", u"g.", u"README"}},
        {u".doc;.", {u"f.doc"}},  // a lone "." counts only at the start
        {u".a;b", {u"h;x.a;b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.filter.begin(), c.filter.end()));
        WalkOptions options;
        options.rootFolder = temp.U16();
        options.extensionFilter = c.filter;
        EXPECT_EQ(Walk(options), Under(temp.U16(), c.names));
    }
}

TEST(DirectoryWalker, NameFilterIsACaselessSubstringWithoutWildcards) {
    test::TemporaryFolder temp;
    MakeTree(temp, {"Report.doc", "my_rep.txt", "other.txt", "x.REP"});
    struct Case {
        std::u16string name, extension;
        std::vector<std::u16string> names;
    };
    const Case cases[] = {
        {u"rep", u"*", {u"my_rep.txt", u"Report.doc", u"x.REP"}},
        {u"REP", u"*", {u"my_rep.txt", u"Report.doc", u"x.REP"}},
        {u"rep", u".txt", {u"my_rep.txt"}},
        {u"*.txt", u"*", {}},
        {u"*", u"*", {u"my_rep.txt", u"other.txt", u"Report.doc", u"x.REP"}},
        {u"", u"*", {u"my_rep.txt", u"other.txt", u"Report.doc", u"x.REP"}},
        {u"", u"", {}},
        {u".txt", u"*", {u"my_rep.txt", u"other.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        WalkOptions options;
        options.rootFolder = temp.U16();
        options.nameFilter = c.name;
        options.extensionFilter = c.extension;
        EXPECT_EQ(Walk(options), Under(temp.U16(), c.names));
    }
}

TEST(DirectoryWalker, EmptyRootWalksTheCurrentFolderWithBareNames) {
    test::TemporaryFolder temp;
    MakeTree(temp, {"a.txt", "sub/b.txt", "sub/deeper/c.txt", "z.txt"}, {"sub/deeper"});
    const std::u16string previous = CurrentDirectory();
    ASSERT_TRUE(test::ChangeDirectory(temp.U16()));
    const Paths paths = Walk(Recursive(u""));
    ASSERT_TRUE(test::ChangeDirectory(previous));
    Paths bare{u"a.txt", u"sub/b.txt", u"sub/deeper/c.txt", u"z.txt"};
    for (std::u16string& name : bare) std::replace(name.begin(), name.end(), u'/', kPathSeparator);
    EXPECT_EQ(paths, bare);
}

TEST(DirectoryWalker, FolderNamesHoldingABackslashAreLeftWhole) {
    SKIP_ON_WINDOWS("a backslash is a separator there, never part of a name");
    test::TemporaryFolder temp;
    MakeTree(temp, {"x\\y/in.txt", "x\\y/x\\z/deep.txt", "z.txt"}, {"x\\y/x\\z"});
    EXPECT_EQ(Walk(Recursive(temp.U16())),
              Under(temp.U16(), {u"x\\y/in.txt", u"x\\y/x\\z/deep.txt", u"z.txt"}));
}

TEST(DirectoryWalker, RootThatCannotBeListedReportsNothingButItsCause) {
    test::TemporaryFolder temp;
    MakeTree(temp, {"file"});
    const struct {
        std::u16string root;
        ReadFailure cause;
    } cases[] = {
        {temp.U16("missing"), ReadFailure::kMissing},
        {temp.U16("file"), ReadFailure::kPathThroughFile},
        {temp.U16("file/"), ReadFailure::kPathThroughFile},
    };
    for (const auto& c : cases) {
        DirectoryWalker walker(Recursive(c.root));
        std::u16string path = u"stale";
        EXPECT_FALSE(walker.FindFirst(path));
        EXPECT_EQ(path, u"");
        EXPECT_FALSE(walker.FindNext(path));
        EXPECT_EQ(walker.UnopenedFolders(), (std::vector<UnopenedFolder>{{c.root, c.cause}}));
    }
}

TEST(DirectoryWalker, LinksToFoldersAreEnteredButNeverIntoAFolderAlreadyOpen) {
    SKIP_ON_WINDOWS("symbolic links need a privilege on Windows and are left to the Linux tests");
    test::TemporaryFolder temp;
    MakeTree(temp, {"a.txt", "other/c.txt", "sub/b.txt"}, {"other", "sub"});
    std::filesystem::create_directory_symlink("..", temp.Native("sub/up"));
    std::filesystem::create_directory_symlink(".", temp.Native("sub/self"));
    std::filesystem::create_directory_symlink(temp.Native(""), temp.Native("sub/root"));
    std::filesystem::create_directory_symlink("../other", temp.Native("sub/sibling"));
    std::filesystem::create_symlink("b.txt", temp.Native("sub/to-file"));
    std::filesystem::create_symlink("nowhere", temp.Native("sub/dangling"));
    std::vector<UnopenedFolder> unopened;
    EXPECT_EQ(Walk(Recursive(temp.U16()), &unopened),
              Under(temp.U16(), {u"a.txt", u"other/c.txt", u"sub/b.txt", u"sub/dangling",
                                 u"sub/sibling/c.txt", u"sub/to-file"}));
    EXPECT_EQ(unopened.size(), 0u) << "a folder passed over on purpose was not refused";
}

// Level i holds the folder "d" of level i + 1, and every hundredth level the file "f"; the file
// "z" follows at the root. Made, and removed, with paths of a few bytes, since the deep ones are
// longer than the system takes.
constexpr int kLevelsPerFile = 100;

#ifndef _WIN32
void MakeDeepTree(const std::string& root, int levels) {
    int folder = ::open(root.c_str(), O_DIRECTORY | O_RDONLY);
    ASSERT_GE(folder, 0);
    ::close(::openat(folder, "z", O_CREAT | O_WRONLY, 0600));
    for (int level = 0; level < levels; ++level) {
        if (level % kLevelsPerFile == 0) ::close(::openat(folder, "f", O_CREAT | O_WRONLY, 0600));
        ASSERT_EQ(::mkdirat(folder, "d", 0700), 0);
        const int next = ::openat(folder, "d", O_DIRECTORY | O_RDONLY);
        ::close(folder);
        folder = next;
        ASSERT_GE(folder, 0);
    }
    ::close(folder);
}

// Takes the top level away one at a time: its "d" moves up to the root in its place.
void RemoveDeepTree(const std::string& root) {
    const std::string top = root + "/d", below = root + "/d/d", lifted = root + "/lifted";
    for (;;) {
        ::unlink((top + "/f").c_str());
        const bool deeper = ::rename(below.c_str(), lifted.c_str()) == 0;
        ASSERT_EQ(::rmdir(top.c_str()), 0);
        if (!deeper) return;
        ASSERT_EQ(::rename(lifted.c_str(), top.c_str()), 0);
    }
}

// Every level whose path the system takes is walked; the first folder whose path is longer is
// named with that cause, and the walk goes on from its parent.
TEST(DirectoryWalker, WalksAsDeepAsPathsReachAndNamesTheFolderBeyond) {
    test::TemporaryFolder temp;
    constexpr int kLevels = 4000;
    MakeDeepTree(temp.path(), kLevels);
    std::vector<UnopenedFolder> unopened;
    const Paths paths = Walk(Recursive(temp.U16()), &unopened);
    RemoveDeepTree(temp.path());

    ASSERT_EQ(unopened.size(), 1u);
    EXPECT_EQ(unopened[0].cause, ReadFailure::kNameTooLong);
    const std::size_t limit = PATH_MAX - 1;  // bytes a path may have, without its NUL
    const std::u16string& beyond = unopened[0].path;
    // As the folder is opened, with its separator; its parent's path fits.
    EXPECT_GT(beyond.size() + 1, limit);
    EXPECT_LE(beyond.size() + 1 - 2, limit);
    // The files of the levels above it, the deepest first, the root's last, then "z".
    const std::size_t depth = (beyond.size() - temp.U16().size()) / 2;
    const std::size_t deepestFile = (depth - 1) / kLevelsPerFile * kLevelsPerFile;
    ASSERT_EQ(paths.size(), deepestFile / kLevelsPerFile + 2);
    std::u16string deepest = temp.U16() + u"/";
    for (std::size_t level = 0; level < deepestFile; ++level) deepest += u"d/";
    EXPECT_EQ(paths.front(), deepest + u"f");
    EXPECT_EQ(paths[paths.size() - 2], temp.U16("f"));
    EXPECT_EQ(paths.back(), temp.U16("z"));
}
#endif  // the deep tree is made and its limit read through POSIX calls

TEST(DirectoryWalker, FifosSocketsAndUndecodableNamesAreListedLikeFiles) {
    SKIP_ON_WINDOWS("no FIFOs or Unix-domain sockets in a Windows file system");
    test::TemporaryFolder temp;
    ASSERT_EQ(::mkfifo(temp.Native("pipe").c_str(), 0600), 0);
    const test::BoundSocket socket(temp.Native("sock"));
    MakeTree(temp, {"bad\xff.txt"});
    const Paths paths = Walk(Recursive(temp.U16()));
    ASSERT_EQ(paths, (Paths{temp.U16("bad\xff.txt"), temp.U16("pipe"), temp.U16("sock")}));
    EXPECT_EQ(ToNativePath(paths.front()), temp.Native("bad\xff.txt"));
}

TEST(DirectoryWalker, SubFolderThatCannotBeOpenedReadsAsEmpty) {
    test::TemporaryFolder temp;
    MakeTree(temp, {"a.txt", "gone/b.txt", "z.txt"}, {"gone"});
    DirectoryWalker walker(Recursive(temp.U16()));
    std::u16string path;
    ASSERT_TRUE(walker.FindFirst(path));
    // The root was listed when its search opened; the folder vanishes before it is entered.
    std::filesystem::remove_all(temp.Native("gone"));
    Paths paths;
    while (walker.FindNext(path)) {
        if (!path.empty()) paths.push_back(path);
    }
    EXPECT_EQ(paths, Under(temp.U16(), {u"a.txt", u"z.txt"}));
    EXPECT_EQ(walker.UnopenedFolders(),
              (std::vector<UnopenedFolder>{{temp.U16("gone"), ReadFailure::kMissing}}));
}

TEST(DirectoryWalker, UnreadableSubFolderIsSkipped) {
    test::TemporaryFolder temp;
    MakeTree(temp, {"a.txt", "locked/b.txt", "z.txt"}, {"locked"});
    test::UnreadableFolder locked(temp.Native("locked"));
    std::vector<UnopenedFolder> unopened;
    EXPECT_EQ(Walk(Recursive(temp.U16()), &unopened), Under(temp.U16(), {u"a.txt", u"z.txt"}));
    EXPECT_EQ(unopened,
              (std::vector<UnopenedFolder>{{temp.U16("locked"), ReadFailure::kPermissionDenied}}));
}

}  // namespace
}  // namespace tessik
