#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>

#include "digest/digest_request.h"
#include "support/temporary_folder.h"

namespace tessik {
namespace {

using test::TemporaryFolder;

// Files of 2 GiB and more, made sparse so that they cost no disk: every byte is zero. One file
// grows from case to case, so the page cache serves all but the first read. Message digests as
// openssl dgst gives them for files of the same sizes. DEK over zero bytes is its start, the
// length modulo 2^32, rotated by 5 bits per byte: 2^31 + 1 turned by 5 bits is 30, and 3 turned
// by 15 bits is 18000 (hexadecimal).
TEST(LargeFiles, SizesBeyondThirtyTwoBitsAreDigestedWhole) {
    constexpr std::uint64_t kOverTwoGiB = (std::uint64_t{1} << 31) + 1;
    constexpr std::uint64_t kOverFourGiB = (std::uint64_t{1} << 32) + 3;
    const struct {
        std::uint64_t size;
        int index;
        const char* expected;
    } cases[] = {
        {kOverTwoGiB, 18, "30000000"},
        {kOverFourGiB, 18, "00800100"},
        {kOverFourGiB, 2, "4ca27e0aa2e7592739ca3de160d1c3a6"},
        {kOverFourGiB, 5, "930fa067940ff8d9f427e3a116b7598503c70ce7380d66ff65f8de33d558f7f3"},
    };
    TemporaryFolder temp;
    const std::string path = temp.Native("sparse");
    test::WriteBytes(path, "");
    for (const auto& c : cases) {
        ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(c.size)), 0);
        EXPECT_EQ(HashFromFile(c.index, temp.U16("sparse"), true), c.expected)
            << "index " << c.index << ", size " << c.size;
    }
}

}  // namespace
}  // namespace tessik
