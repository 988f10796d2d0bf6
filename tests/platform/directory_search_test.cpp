#include "platform/directory_search.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "support/system_call_faults.h"
#include "support/temporary_folder.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

using test::TemporaryFolder;

std::vector<std::pair<std::u16string, bool>> List(const std::u16string& folder) {
    DirectorySearch search;
    std::vector<std::pair<std::u16string, bool>> listed;
    if (!search.Open(folder)) return listed;
    DirectoryEntry entry;
    while (search.Next(entry)) listed.emplace_back(entry.name, entry.isFolder);
    return listed;
}

TEST(DirectorySearch, ListsDotsFirstThenEveryEntrySortedByName) {
    SKIP_ON_WINDOWS("no FIFOs or Unix-domain sockets in a Windows file system");
    TemporaryFolder temp;
    for (const char* name : {"b.txt", "A.txt", ".hidden", "a.txt", "Z"}) {
        test::WriteBytes(temp.Native(name), "");
    }
    test::MakeFolder(temp.Native("sub"));
    ASSERT_EQ(::symlink("sub", temp.Native("link-to-sub").c_str()), 0);
    ASSERT_EQ(::mkfifo(temp.Native("fifo").c_str(), 0600), 0);
    const std::vector<std::pair<std::u16string, bool>> expected = {
        {u".", true},      {u"..", true},     {u".hidden", false}, {u"A.txt", false},
        {u"a.txt", false}, {u"b.txt", false}, {u"fifo", false},    {u"link-to-sub", true},
        {u"sub", true},    {u"Z", false},
    };
    EXPECT_EQ(List(temp.U16()), expected);
}

TEST(DirectorySearch, NamesThatAreNotUtf8SurviveTheListing) {
    SKIP_ON_WINDOWS("names there are UTF-16, never undecodable bytes");
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("caf\xE9"), "x");
    const auto listed = List(temp.U16());
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[2].first, (std::u16string{u'c', u'a', u'f', char16_t(0xDCE9)}));
}

TEST(DirectorySearch, IdentityIsTheSameThroughALink) {
    SKIP_ON_WINDOWS("symbolic links need a privilege on Windows and are left to the Linux tests");
    TemporaryFolder temp;
    test::MakeFolder(temp.Native("real"));
    ASSERT_EQ(::symlink("real", temp.Native("alias").c_str()), 0);
    DirectorySearch a, b;
    ASSERT_TRUE(a.Open(temp.U16("real")));
    ASSERT_TRUE(b.Open(temp.U16("alias")));
    EXPECT_EQ(a.Identity(), b.Identity());
}

TEST(DirectorySearch, OpenFailsWithItsCause) {
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("file"), "");
    struct Case {
        std::u16string folder;
        ReadFailure cause;
    };
    std::vector<Case> cases = {
        {temp.U16("file"), ReadFailure::kPathThroughFile},
        {temp.U16("file/"), ReadFailure::kPathThroughFile},
        {temp.U16("file/x"), ReadFailure::kPathThroughFile},
        {temp.U16("missing"), ReadFailure::kMissing},
        {temp.U16(std::string(300, 'n')), ReadFailure::kNameTooLong},
    };
#ifndef _WIN32  // links need a privilege on Windows
    ASSERT_EQ(::symlink("loop", temp.Native("loop").c_str()), 0);
    cases.push_back({temp.U16("loop"), ReadFailure::kLinkLoop});
#endif
    for (const auto& c : cases) {
        DirectorySearch search;
        EXPECT_FALSE(search.Open(c.folder));
        EXPECT_EQ(search.Failure(), c.cause) << static_cast<int>(c.cause);
        DirectoryEntry entry;
        EXPECT_FALSE(search.Next(entry));
    }
}

// A failing disk may end a listing early; the part read must not pass for the whole folder.
TEST(DirectorySearch, AListingCutShortByAReadErrorFails) {
    TemporaryFolder temp;
    for (const char* name : {"a", "b", "c"}) test::WriteBytes(temp.Native(name), "");
    DirectorySearch search;
    {
        const test::FailingCall failing(test::Call::kReadFolder, EIO, 3);
        EXPECT_FALSE(search.Open(temp.U16()));
        EXPECT_EQ(search.Failure(), ReadFailure::kIoError);
    }
    EXPECT_TRUE(search.Open(temp.U16()));
    EXPECT_EQ(search.Failure(), ReadFailure::kNone);
}

}  // namespace
}  // namespace tessik
