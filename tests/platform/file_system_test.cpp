#include "platform/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <vector>

#include "support/scoped_environment.h"
#include "support/system_call_faults.h"
#include "support/temporary_folder.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

using test::TemporaryFolder;

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileSystem, QueryPathKindFollowsLinks) {
    SKIP_ON_WINDOWS("no FIFOs or Unix-domain sockets in a Windows file system");
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("file"), "x");
    test::MakeFolder(temp.Native("folder"));
    ASSERT_EQ(::symlink(temp.Native("folder").c_str(), temp.Native("to-folder").c_str()), 0);
    ASSERT_EQ(::symlink(temp.Native("nowhere").c_str(), temp.Native("dangling").c_str()), 0);
    ASSERT_EQ(::mkfifo(temp.Native("fifo").c_str(), 0600), 0);
    const struct {
        const char* name;
        PathKind kind;
    } cases[] = {{"file", PathKind::kFile},        {"folder", PathKind::kFolder},
                 {"to-folder", PathKind::kFolder}, {"dangling", PathKind::kMissing},
                 {"fifo", PathKind::kFile},        {"missing", PathKind::kMissing}};
    for (const auto& c : cases) EXPECT_EQ(QueryPathKind(temp.U16(c.name)), c.kind) << c.name;
    EXPECT_EQ(QueryPathKind(u""), PathKind::kMissing);
    EXPECT_EQ(QueryPathKind(temp.U16("file") + u'\0' + u"x"), PathKind::kMissing);
}

TEST(FileSystem, FullPathResolvesDotsAsText) {
    const std::u16string cwd = CurrentDirectory();
    ASSERT_FALSE(cwd.empty());
    const struct {
        std::u16string in, out;
    } cases[] = {
#ifdef _WIN32
        {u"C:\\a\\b\\..\\c", u"C:\\a\\c"},
        {u"C:/a/./b/", u"C:\\a\\b\\"},
        {u"C:\\..\\x", u"C:\\x"},
        {u"\\\\server\\share\\a\\..\\b", u"\\\\server\\share\\b"},
        {u"rel", cwd + u"\\rel"},
#else
        {u"/a/b/../c", u"/a/c"}, {u"/a/./b/", u"/a/b/"},  {u"/../x", u"/x"}, {u"/", u"/"},
        {u"\\a\\b", u"/a/b"},    {u"rel", cwd + u"/rel"},
#endif
    };
    for (const auto& c : cases) EXPECT_EQ(FullPath(c.in), c.out);
}

TEST(FileSystem, ReplaceFileContentsLeavesNoTemporaryBehind) {
    TemporaryFolder temp;
    const std::string target = temp.Native("settings.ini");
    test::WriteBytes(target, "old contents");
    ASSERT_EQ(ReplaceFileContents(temp.U16("settings.ini"), "new"), WriteFailure::kNone);
    EXPECT_EQ(test::ReadBytes(target), "new");
    ASSERT_EQ(ReplaceFileContents(temp.U16("fresh.ini"), ""), WriteFailure::kNone);
    EXPECT_EQ(test::ReadBytes(temp.Native("fresh.ini")), "");
    EXPECT_EQ(ReplaceFileContents(temp.U16("missing-folder/x.ini"), "x"),
              WriteFailure::kCannotCreate);
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(temp.path())) ++entries, (void)e;
    EXPECT_EQ(entries, 2);
}

TEST(FileSystem, ReplaceFileContentsKeepsLinksAndPermissions) {
    SKIP_ON_WINDOWS("symbolic links need a privilege on Windows and are left to the Linux tests");
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("real.ini"), "old");
    ASSERT_EQ(::chmod(temp.Native("real.ini").c_str(), 0640), 0);
    ASSERT_EQ(::symlink("real.ini", temp.Native("link.ini").c_str()), 0);
    ASSERT_EQ(ReplaceFileContents(temp.U16("link.ini"), "new"), WriteFailure::kNone);
    EXPECT_TRUE(std::filesystem::is_symlink(temp.Native("link.ini")));
    struct stat info {};
    ASSERT_EQ(::stat(temp.Native("real.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(test::ReadBytes(temp.Native("real.ini")), "new");
}

TEST(FileSystem, ReplaceFileContentsKeepsTheOldFileWhenTheFolderIsReadOnly) {
    TemporaryFolder temp;
    test::MakeFolder(temp.Native("locked"));
    test::WriteBytes(temp.Native("locked/a.ini"), "kept");
    test::ReadOnlyFolder locked(temp.Native("locked"));
    EXPECT_EQ(ReplaceFileContents(temp.U16("locked/a.ini"), "lost"),
              WriteFailure::kPermissionDenied);
    EXPECT_EQ(ReplaceFileContents(temp.U16("locked/new.ini"), "lost"),
              WriteFailure::kPermissionDenied);
    EXPECT_EQ(test::ReadBytes(temp.Native("locked/a.ini")), "kept");
    EXPECT_EQ(FolderEntries(temp.Native("locked")), std::vector<std::string>{"a.ini"});
}

// Each failure is reported with its cause, and no failure costs the old file or the file kept
// aside, nor leaves a temporary behind.
TEST(FileSystem, FailedReplacementKeepsTheOldFileAndLeavesNoTemporary) {
    const std::string replacement(100000, 'n');
    const WriteFailure causes[] = {WriteFailure::kPermissionDenied, WriteFailure::kNoSpace,
                                   WriteFailure::kIoError, WriteFailure::kIoError,
                                   WriteFailure::kIoError};
    static_assert(std::size(causes) == std::size(test::kSaveFailures));
    for (std::size_t i = 0; i < std::size(causes); ++i) {
        const test::Fault& c = test::kSaveFailures[i];
        for (const bool keepingAside : {false, true}) {
            TemporaryFolder temp;
            test::WriteBytes(temp.Native("a.ini"), "kept");
            test::WriteBytes(temp.Native("a.ini.bak"), "older");
            const std::u16string aside = keepingAside ? temp.U16("a.ini.bak") : u"";
            {
                test::FailingCall failing(c);
                EXPECT_EQ(ReplaceFileContents(temp.U16("a.ini"), replacement, aside), causes[i])
                    << c.name;
                EXPECT_EQ(ReplaceFileContents(temp.U16("new.ini"), replacement, aside), causes[i])
                    << c.name;
            }
            EXPECT_EQ(test::ReadBytes(temp.Native("a.ini")), "kept") << c.name;
            EXPECT_EQ(test::ReadBytes(temp.Native("a.ini.bak")), "older") << c.name;
            EXPECT_EQ(FolderEntries(temp.path()), (std::vector<std::string>{"a.ini", "a.ini.bak"}))
                << c.name;
        }
    }
}

// A file that could not be read is kept aside before the new one takes its place, and the new
// one does not inherit the permissions that may have made it unreadable; the same where the file
// system has no links.
TEST(FileSystem, ReplacementCanKeepTheOldFileAside) {
    for (const bool links : {true, false}) {
        SCOPED_TRACE(links);
        TemporaryFolder temp;
        std::optional<test::FailingCall> noLinks;
        if (!links) noLinks.emplace(test::Call::kLink, EPERM);
        test::WriteBytes(temp.Native("a.ini"), "old");
        ASSERT_EQ(::chmod(temp.Native("a.ini").c_str(), 0), 0);
        test::WriteBytes(temp.Native("a.ini.bak"), "older");
        ASSERT_EQ(ReplaceFileContents(temp.U16("a.ini"), "new", temp.U16("a.ini.bak")),
                  WriteFailure::kNone);
        EXPECT_EQ(test::ReadBytes(temp.Native("a.ini")), "new");
        EXPECT_EQ(test::ReadBytes(temp.Native("a.ini.bak")), "old");
        struct stat info {};
        ASSERT_EQ(::stat(temp.Native("a.ini").c_str(), &info), 0);
        EXPECT_NE(info.st_mode & 0600, 0u);
        // Nothing to keep aside: the new file is simply made.
        ASSERT_EQ(ReplaceFileContents(temp.U16("b.ini"), "new", temp.U16("b.ini.bak")),
                  WriteFailure::kNone);
        EXPECT_EQ(FolderEntries(temp.path()),
                  (std::vector<std::string>{"a.ini", "a.ini.bak", "b.ini"}));
    }
}

// Temporaries left by killed runs, whatever process id they had, block no later save, and the
// next save of the same file removes the old ones, of the file and of the one it keeps aside;
// recent ones (a save under way) and other files stay.
TEST(FileSystem, TemporariesOfKilledRunsBlockNothingAndGoWithTheNextSave) {
    TemporaryFolder temp;
    const char* leftovers[] = {"a.ini.~1-0", "a.ini.~1-1", "a.ini.~0123456789abcdef",
                               "a.ini.bak.~0123456789abcdef"};
    for (const char* name : leftovers) test::WriteBytes(temp.Native(name), "partial");
    test::WriteBytes(temp.Native("a.ini.~recent"), "partial");
    test::WriteBytes(temp.Native("b.ini.~1-0"), "someone else's");
    const auto hourAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* name : {"a.ini.~1-0", "a.ini.~1-1", "a.ini.~0123456789abcdef",
                             "a.ini.bak.~0123456789abcdef", "b.ini.~1-0"}) {
        std::filesystem::last_write_time(temp.Native(name), hourAgo);
    }
    ASSERT_EQ(ReplaceFileContents(temp.U16("a.ini"), "saved", temp.U16("a.ini.bak")),
              WriteFailure::kNone);
    EXPECT_EQ(FolderEntries(temp.path()),
              (std::vector<std::string>{"a.ini", "a.ini.~recent", "b.ini.~1-0"}));
    EXPECT_EQ(test::ReadBytes(temp.Native("a.ini")), "saved");
}

TEST(FileSystem, AppDataFoldersFollowTheEnvironment) {
    TemporaryFolder temp;
#ifdef _WIN32
    {
        test::ScopedEnvironment user("APPDATA", temp.Native("roaming") + "\\");
        test::ScopedEnvironment machine("ProgramData", temp.Native("machine"));
        EXPECT_EQ(UserAppDataFolder(), temp.U16("roaming"));
        EXPECT_EQ(QueryPathKind(temp.U16("roaming")), PathKind::kFolder);
        EXPECT_EQ(MachineAppDataFolder(), temp.U16("machine"));
    }
    test::ScopedEnvironment relative("APPDATA", "relative");
    test::ScopedEnvironment none("ProgramData", std::nullopt);
    EXPECT_EQ(UserAppDataFolder(), u"");
    EXPECT_EQ(MachineAppDataFolder(), u"");
#else
    {
        test::ScopedEnvironment user("XDG_CONFIG_HOME", temp.path() + "/cfg/");
        test::ScopedEnvironment machine("XDG_CONFIG_DIRS", temp.path() + "/machine:/etc/xdg");
        EXPECT_EQ(UserAppDataFolder(), temp.U16("cfg"));
        EXPECT_EQ(QueryPathKind(temp.U16("cfg")), PathKind::kFolder);
        EXPECT_EQ(MachineAppDataFolder(), temp.U16("machine"));
    }
    test::ScopedEnvironment user("XDG_CONFIG_HOME", "relative");
    test::ScopedEnvironment home("HOME", temp.path());
    test::ScopedEnvironment machine("XDG_CONFIG_DIRS", std::nullopt);
    EXPECT_EQ(UserAppDataFolder(), temp.U16(".config"));
    EXPECT_EQ(MachineAppDataFolder(), u"/etc/xdg");
#endif
}

}  // namespace
}  // namespace tessik
