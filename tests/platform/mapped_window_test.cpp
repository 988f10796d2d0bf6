#include "platform/mapped_window.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>
#ifndef _WIN32
#include <sys/mman.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/temporary_folder.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

using test::TemporaryFolder;

std::string Pattern(std::size_t length) {
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}

TEST(MappedWindow, MapsTheBytesFromAnAlignedOffsetAndRefusesTheRest) {
    const std::size_t page = MappingGranularity();
    TemporaryFolder temp;
    const std::string contents = Pattern(3 * page + 5);
    test::WriteBytes(temp.Native("data"), contents);
    InputFile file;
    ASSERT_EQ(file.Open(temp.U16("data")), ReadFailure::kNone);
    const struct {
        std::uint64_t offset;
        std::size_t length;
        bool mapped;
    } cases[] = {{0, contents.size(), true},
                 {page, 2 * page + 5, true},
                 {3 * page, 5, true},
                 {1, 10, false},
                 {page, 0, false}};
    for (const auto& c : cases) {
        MappedWindow window;
        ASSERT_EQ(window.Map(file, c.offset, c.length), c.mapped) << c.offset << "+" << c.length;
        if (!c.mapped) continue;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(window.Data()), window.Length()),
                  contents.substr(c.offset, c.length));
        EXPECT_FALSE(window.PagesVanished());
    }
    InputFile closed;
    MappedWindow window;
    EXPECT_FALSE(window.Map(closed, 0, page));
}

TEST(MappedWindow, PagesGoneWithTheFilesEndReadAsZerosAndAreRecorded) {
    SKIP_ON_WINDOWS("Windows refuses to cut a file short while a view of it is mapped");
    const std::size_t page = MappingGranularity();
    TemporaryFolder temp;
    const std::string contents = Pattern(4 * page);
    test::WriteBytes(temp.Native("data"), contents);
    InputFile file;
    ASSERT_EQ(file.Open(temp.U16("data")), ReadFailure::kNone);
    MappedWindow window;
    ASSERT_TRUE(window.Map(file, 0, contents.size()));
    ASSERT_EQ(::truncate(temp.Native("data").c_str(), static_cast<off_t>(page + 10)), 0);
    const std::string seen(reinterpret_cast<const char*>(window.Data()), window.Length());
    EXPECT_TRUE(window.PagesVanished());
    EXPECT_EQ(seen.substr(0, page + 10), contents.substr(0, page + 10));
    EXPECT_EQ(seen.substr(page + 10), std::string(3 * page - 10, '\0'));
}

// The handler takes only faults in its own windows: any other still ends the program.
TEST(MappedWindowDeathTest, AFaultOutsideEveryWindowStillEndsTheProgram) {
    SKIP_ON_WINDOWS("Windows refuses to cut a file short while a view of it is mapped");
    const std::size_t page = MappingGranularity();
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("data"), Pattern(2 * page));
    InputFile file;
    ASSERT_EQ(file.Open(temp.U16("data")), ReadFailure::kNone);
    MappedWindow window;
    ASSERT_TRUE(window.Map(file, 0, page));  // the handler is in place from here on
#ifndef _WIN32
    EXPECT_DEATH(
        {
            void* other = ::mmap(nullptr, 2 * page, PROT_READ, MAP_SHARED,
                                 ::open(temp.Native("data").c_str(), O_RDONLY), 0);
            if (::truncate(temp.Native("data").c_str(), 0) != 0) std::abort();
            std::printf("%d", static_cast<volatile const char*>(other)[page]);
        },
        "");
#endif
}

}  // namespace
}  // namespace tessik
