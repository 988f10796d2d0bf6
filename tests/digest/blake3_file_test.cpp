// A large file through BLAKE3 on several threads gives what one thread gives, and what the
// engine gives the same bytes in memory: over several rounds of spans, with a file cut, grown,
// left unmappable or cancelled while its spans are being hashed.

#include "digest/blake3_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "digest/file_digest.h"
#include "support/system_call_faults.h"
#include "support/temporary_folder.h"

namespace tessik {
namespace {

using test::TemporaryFolder;

std::string RandomContents(std::size_t length) {
    std::mt19937_64 random(length);
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i + 8 <= length; i += 8) {
        const std::uint64_t word = random();
        std::memcpy(bytes.data() + i, &word, 8);
    }
    return bytes;
}

Digest Blake3Of(std::string_view bytes) {
    Blake3Engine engine;
    return DigestOfBytes(engine, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

class Blake3File : public ::testing::Test {
  protected:
    void TearDown() override { UseEveryCoreForFiles(); }

    // Releases the held call once a thread is held at it.
    static std::thread Releaser(test::HeldCall& held) {
        return std::thread([&held] {
            while (!held.IsHeld()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            held.Release();
        });
    }

    TemporaryFolder temp_;
};

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;

// 32 threads cut a file of 67 MiB into 1 MiB spans: more than one round of spans in flight.
TEST_F(Blake3File, EveryNumberOfThreadsGivesTheDigestOfTheBytes) {
    std::vector<std::uint64_t> sizes = {kLargeFileBytes - 1, kLargeFileBytes, kLargeFileBytes + 1,
                                        9 * kMiB + 1025};
#ifndef TESSIK_SHORT_TESTS
    sizes.push_back(67 * kMiB + 5);
#endif
    for (std::uint64_t size : sizes) {
        const std::string contents = RandomContents(size);
        test::WriteBytes(temp_.Native("data"), contents);
        const Digest expected = Blake3Of(contents);
        for (unsigned threads : {1u, 2u, 3u, 32u}) {
            ForceFileHashingThreads(threads);
            std::vector<std::uint64_t> reported;
            FileDigestOptions options;
            options.progress = [&](std::uint64_t done, std::uint64_t) { reported.push_back(done); };
            Blake3Engine engine;
            const FileDigestResult result = DigestFile(engine, temp_.U16("data"), options);
            const std::string what = std::to_string(size) + " bytes, " + std::to_string(threads);
            ASSERT_EQ(result.outcome, FileDigestOutcome::kDigest) << what;
            EXPECT_EQ(result.bytes, size) << what;
            EXPECT_EQ(result.digest, expected) << what;
            ASSERT_FALSE(reported.empty()) << what;
            EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end())) << what;
            EXPECT_EQ(reported.back(), size) << what;
        }
    }
}

// Cut or grown while the third span is being mapped: spans hashed before are void once the
// file is cut, and the result is the digest of what it holds; what it gained is read on.
TEST_F(Blake3File, AFileCutOrGrownWhileItsSpansAreHashedGivesTheDigestOfWhatItHolds) {
    const std::string path = temp_.Native("data");
    const std::uint64_t size = 12 * kMiB + 5;
    const std::string contents = RandomContents(size);
    const std::string grown = contents + std::string(kFilePieceBytes + 3, '\0');
    const struct {
        const char* name;
        std::uint64_t newSize;
    } cases[] = {{"emptied", 0},
                 {"cut in a span not yet hashed", 9 * kMiB + 77},
                 {"cut in the span being mapped", 2 * kMiB + 1},
                 {"grown", grown.size()}};
    for (unsigned threads : {1u, 4u}) {
        ForceFileHashingThreads(threads);
        for (const auto& c : cases) {
            test::WriteBytes(path, contents);
            test::HeldCall held(test::Call::kMap, 3, [&] {
                const int resized = ::truncate(path.c_str(), static_cast<off_t>(c.newSize));
                EXPECT_EQ(resized, 0);
            });
            std::thread releaser = Releaser(held);
            Blake3Engine engine;
            const FileDigestResult result = DigestFile(engine, temp_.U16("data"));
            releaser.join();
            const std::string what = std::string(c.name) + ", " + std::to_string(threads);
            ASSERT_EQ(result.outcome, FileDigestOutcome::kDigest) << what;
            EXPECT_EQ(result.bytes, c.newSize) << what;
            EXPECT_EQ(result.digest, Blake3Of(std::string_view(grown).substr(0, c.newSize)))
                << what;
        }
    }
}

TEST_F(Blake3File, WhereSpansCannotBeMappedTheFileIsRead) {
    const std::string contents = RandomContents(8 * kMiB + 3);
    test::WriteBytes(temp_.Native("data"), contents);
    for (unsigned threads : {1u, 4u}) {
        ForceFileHashingThreads(threads);
        for (std::uint64_t mappable : {std::uint64_t{0}, 3 * kMiB}) {
            const test::FailingCall failing(test::Call::kMap, ENODEV, mappable);
            Blake3Engine engine;
            const FileDigestResult result = DigestFile(engine, temp_.U16("data"));
            ASSERT_EQ(result.outcome, FileDigestOutcome::kDigest) << mappable;
            EXPECT_EQ(result.bytes, contents.size()) << mappable;
            EXPECT_EQ(result.digest, Blake3Of(contents)) << mappable;
        }
    }
}

// Raised while the second span is being mapped: no thread starts another span, the hash ends
// without a digest, and the same engine then hashes the file whole.
TEST_F(Blake3File, CancelEndsTheHashOnEveryThreadWithoutADigest) {
    const std::string contents = RandomContents(16 * kMiB);
    test::WriteBytes(temp_.Native("data"), contents);
    for (unsigned threads : {1u, 4u}) {
        ForceFileHashingThreads(threads);
        std::atomic<bool> cancel{false};
        Blake3Engine engine;
        {
            test::HeldCall held(test::Call::kMap, 2, [&] { cancel = true; });
            std::thread releaser = Releaser(held);
            const FileDigestResult cancelled = DigestFile(engine, temp_.U16("data"), {{}, &cancel});
            releaser.join();
            EXPECT_EQ(cancelled.outcome, FileDigestOutcome::kCancelled) << threads;
            EXPECT_TRUE(cancelled.digest.empty()) << threads;
        }
        const FileDigestResult whole = DigestFile(engine, temp_.U16("data"));
        ASSERT_EQ(whole.outcome, FileDigestOutcome::kDigest) << threads;
        EXPECT_EQ(whole.digest, Blake3Of(contents)) << threads;
    }
}

}  // namespace
}  // namespace tessik
