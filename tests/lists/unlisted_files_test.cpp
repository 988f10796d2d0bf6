#include "lists/unlisted_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/path_encoding.h"
#include "support/known_digests.h"
#include "support/temporary_folder.h"

namespace tessik {
namespace {

// Every kind of entry the walk meets: listed files (as written, with "./", with '\'), the list
// and its signature, hidden files and folders, a FIFO no one writes to, and a link back up.
// Windows has neither FIFOs nor links for an ordinary user, and there a strict reading of "sub\c"
// names sub/c too, '\' being the separator.
TEST(UnlistedFiles, AreTheFilesBelowTheFolderThatTheListDoesNotName) {
    test::TemporaryFolder temp;
    for (const char* folder : {"sub", ".git"}) test::MakeFolder(temp.Native(folder));
    for (const char* file : {"a", "new", "sub/b", "sub/c", "sub/new", ".hidden", "sub/.h", ".git/x",
                             "list.sha256.asc"}) {
        test::WriteBytes(temp.Native(file), "abc");
    }
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(temp.Native("pipe").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("..", temp.Native("sub/up").c_str()), 0);
#endif
    const std::string hash = test::kMd5OfAbc + "  ";
    test::WriteBytes(temp.Native("list.sha256"),
                     hash + "a\n" + hash + "./sub/b\n" + hash + "sub\\c\n" + hash + "gone\n");
    const struct {
        ListReading reading;
        std::vector<std::string> unlisted;
    } cases[] = {
#ifdef _WIN32
        {ListReading::kLenient, {"new", "sub/new"}},
        {ListReading::kStrict, {"new", "sub/new"}},
#else
        {ListReading::kLenient, {"new", "pipe", "sub/new"}},
        {ListReading::kStrict, {"new", "pipe", "sub/c", "sub/new"}},
#endif
    };
    for (const auto& c : cases) {
        UnlistedOptions options;
        options.reading = c.reading;
        const UnlistedFiles found =
            FindUnlistedFiles(temp.U16("list.sha256"), temp.U16() + u"/", options);
        std::vector<std::string> paths;
        for (const std::u16string& path : found.paths) paths.push_back(ToNativePath(path));
        std::vector<std::string> expected;
        for (const std::string& name : c.unlisted) expected.push_back(temp.Native(name));
        EXPECT_EQ(paths, expected);
        EXPECT_EQ(found.foldersNotOpened, 0U);
        EXPECT_FALSE(found.listUnreadable);
    }
    const UnlistedFiles noList = FindUnlistedFiles(temp.U16("gone.md5"), temp.U16() + u"/");
    EXPECT_TRUE(noList.listUnreadable);
    EXPECT_TRUE(noList.paths.empty());
}

}  // namespace
}  // namespace tessik
