#include "platform/input_file.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/system_call_faults.h"
#include "support/temporary_folder.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

using test::TemporaryFolder;

TEST(InputFile, ReadsARegularFileToItsEnd) {
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("data"), "0123456789");
    InputFile file;
    ASSERT_EQ(file.Open(temp.U16("data")), ReadFailure::kNone);
    EXPECT_EQ(file.Size(), 10u);
    char buffer[8];
    EXPECT_EQ(file.Read(buffer, 8), 8);
    EXPECT_EQ(std::string(buffer, 8), "01234567");
    EXPECT_EQ(file.Read(buffer, 8), 2);
    EXPECT_EQ(file.Read(buffer, 8), 0);
}

TEST(InputFile, RefusesEverythingButRegularFilesAtOnce) {
    SKIP_ON_WINDOWS("no FIFOs or Unix-domain sockets in a Windows file system");
    TemporaryFolder temp;
    test::MakeFolder(temp.Native("folder"));
    ASSERT_EQ(::mkfifo(temp.Native("fifo").c_str(), 0600), 0);
    ASSERT_EQ(::symlink(temp.Native("fifo").c_str(), temp.Native("to-fifo").c_str()), 0);
    const test::BoundSocket socket(temp.Native("socket"));
    const std::u16string refused[] = {
        temp.U16("folder"),  temp.U16("fifo"), temp.U16("to-fifo"), temp.U16("socket"),
        temp.U16("missing"), u"/dev/zero",     u"/dev/null",        u""};
    for (const auto& path : refused) {
        InputFile file;
        EXPECT_NE(file.Open(path), ReadFailure::kNone);
        EXPECT_FALSE(file.IsOpen());
    }
}

TEST(InputFile, FollowsLinksToRegularFiles) {
    SKIP_ON_WINDOWS("symbolic links need a privilege on Windows and are left to the Linux tests");
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("data"), "abc");
    ASSERT_EQ(::symlink("data", temp.Native("link").c_str()), 0);
    InputFile file;
    ASSERT_EQ(file.Open(temp.U16("link")), ReadFailure::kNone);
    EXPECT_EQ(file.Size(), 3u);
}

TEST(InputFile, ReadErrorIsNeverTakenForTheEndOfTheFile) {
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("data"), "0123456789");
    InputFile file;
    ASSERT_EQ(file.Open(temp.U16("data")), ReadFailure::kNone);
    test::FailingCall failing(test::Call::kRead, EIO, 4);
    char buffer[10];
    EXPECT_EQ(file.Read(buffer, sizeof buffer), -1);
    EXPECT_EQ(file.Read(buffer, sizeof buffer), -1);
}

TEST(InputFile, FailedOpenLeavesNothingOpen) {
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("data"), "abc");
    test::FailingCall failing(test::Call::kOpen, EMFILE);
    InputFile file;
    EXPECT_EQ(file.Open(temp.U16("data")), ReadFailure::kIoError);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.Size(), 0u);
}

}  // namespace
}  // namespace tessik
