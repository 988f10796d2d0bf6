#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "digest/digest_request.h"
#include "digest/file_digest.h"
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
#ifdef TESSIK_SHORT_TESTS
    GTEST_SKIP() << "12 GiB of hashing: the plain build runs it, this build the variant below";
#endif
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
        std::filesystem::resize_file(path, c.size);
        EXPECT_EQ(HashFromFile(c.index, temp.U16("sparse"), true), c.expected)
            << "index " << c.index << ", size " << c.size;
    }
}

// Counts what it is fed and keeps the bytes at three positions around 2^32; its digest is that
// count and those bytes.
class CountingEngine final : public DigestEngine {
  public:
    static constexpr std::uint64_t kMarks[] = {(std::uint64_t{1} << 32) - 1, std::uint64_t{1} << 32,
                                               (std::uint64_t{1} << 32) + 2};

    void Restart() override { seen_ = 0; }
    void Update(const std::uint8_t* data, std::size_t length) override {
        for (std::size_t i = 0; i < std::size(kMarks); ++i) {
            if (kMarks[i] >= seen_ && kMarks[i] - seen_ < length)
                marks_[i] = data[kMarks[i] - seen_];
        }
        seen_ += length;
    }
    void Finish(std::uint8_t* digest) override {
        for (int i = 0; i < 8; ++i) digest[i] = static_cast<std::uint8_t>(seen_ >> (8 * i));
        for (std::size_t i = 0; i < std::size(kMarks); ++i) digest[8 + i] = marks_[i];
    }
    std::size_t DigestSize() const override { return 8 + std::size(kMarks); }

  private:
    std::uint64_t seen_ = 0;
    std::uint8_t marks_[std::size(kMarks)] = {};
};

// The short variant: the reader hands over every byte of a sparse file past 4 GiB, in order and
// with 64-bit counts, without the cost of hashing it.
TEST(LargeFiles, TheReaderCrossesTheThirtyTwoBitBoundaries) {
#if defined(TESSIK_SHORT_TESTS) && !defined(_WIN32)
    GTEST_SKIP() << "4 GiB through the sanitizers: the plain build runs it, and Windows";
#endif
    TemporaryFolder temp;
    const std::string path = temp.Native("sparse");
    test::WriteBytes(path, "");
    std::filesystem::resize_file(path, (std::uint64_t{1} << 32) + 3);
    // Streams seek with 64-bit offsets everywhere; off_t has 32 bits on Windows.
    const std::uint8_t written[] = {0xA1, 0xB2, 0xC3};
    {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        ASSERT_TRUE(file.is_open());
        for (std::size_t i = 0; i < std::size(CountingEngine::kMarks); ++i) {
            file.seekp(static_cast<std::streamoff>(CountingEngine::kMarks[i]));
            file.put(static_cast<char>(written[i]));
        }
        ASSERT_TRUE(file.flush().good());
    }

    CountingEngine engine;
    const FileDigestResult result = DigestFile(engine, temp.U16("sparse"));
    ASSERT_EQ(result.outcome, FileDigestOutcome::kDigest);
    EXPECT_EQ(result.bytes, (std::uint64_t{1} << 32) + 3);
    const Digest expected = {0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0xA1, 0xB2, 0xC3};
    EXPECT_EQ(result.digest, expected);
}

}  // namespace
}  // namespace tessik
