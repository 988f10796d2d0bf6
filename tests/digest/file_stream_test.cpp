#include "digest/file_stream.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <thread>

#include "forced_file_route.h"
#include "support/system_call_faults.h"
#include "support/temporary_folder.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

using test::TemporaryFolder;
using testing::ForcedFileRoute;
using testing::kAllFileRoutes;

// Everything a stream hands over, piece by piece; `afterPiece` runs once each piece is in.
struct Collected {
    std::string bytes;
    std::size_t pieces = 0;
    std::size_t largestPiece = 0;
    int startsOver = 0;
    std::function<void()> afterPiece;

    PieceConsumer Consumer() {
        return {[this](const std::uint8_t* data, std::size_t length) {
                    bytes.append(reinterpret_cast<const char*>(data), length);
                    ++pieces;
                    largestPiece = std::max(largestPiece, length);
                    if (afterPiece) afterPiece();
                },
                [this] {
                    bytes.clear();
                    pieces = 0;
                    ++startsOver;
                }};
    }
};

std::string RandomBytes(std::size_t length) {
    std::mt19937 random(static_cast<unsigned>(length));
    std::string bytes(length, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

std::string RouteName(FileRoute route) {
    return std::string(FileRouteName(route));
}

TEST(FileStream, HandsOverExactlyTheFileInPiecesOfAtMostOneBuffer) {
    constexpr std::size_t kPiece = kFilePieceBytes;
    // Small files are read on the calling thread; from kLargeFileBytes on, each route.
    constexpr std::size_t kLarge = kLargeFileBytes;
    const struct {
        std::size_t size;
        std::size_t pieces;
    } cases[] = {{0, 0},
                 {1, 1},
                 {kPiece - 1, 1},
                 {kPiece, 1},
                 {kPiece + 1, 2},
                 {2 * kPiece, 2},
                 {2 * kPiece + 3, 3},
                 {kLarge - 1, kLarge / kPiece},
                 {kLarge, kLarge / kPiece},
                 {kLarge + 1, kLarge / kPiece + 1},
                 {3 * kLarge + 5, 3 * kLarge / kPiece + 1}};
    TemporaryFolder temp;
    for (FileRoute route : kAllFileRoutes) {
        const ForcedFileRoute forced(route);
        for (const auto& c : cases) {
            const std::string contents = RandomBytes(c.size);
            test::WriteBytes(temp.Native("data"), contents);
            InputFile file;
            ASSERT_EQ(file.Open(temp.U16("data")), ReadFailure::kNone);
            Collected got;
            const StreamOutcome outcome = StreamFile(file, got.Consumer());
            const std::string what = RouteName(route) + ", " + std::to_string(c.size) + " bytes";
            ASSERT_EQ(outcome.end, StreamEnd::kComplete) << what;
            EXPECT_EQ(outcome.bytes, c.size) << what;
            EXPECT_TRUE(got.bytes == contents) << what;
            EXPECT_EQ(got.pieces, c.pieces) << what;
            EXPECT_LE(got.largestPiece, kPiece) << what;
            EXPECT_EQ(got.startsOver, 0) << what;
        }
    }
}

TEST(FileStream, ASlowConsumerGetsEveryPieceInOrderWhileTheReaderWaitsForFreeBuffers) {
    const ForcedFileRoute forced(FileRoute::kReadAhead);
    TemporaryFolder temp;
    const std::string contents = RandomBytes(20 * kFilePieceBytes + 9);
    test::WriteBytes(temp.Native("data"), contents);
    InputFile file;
    ASSERT_EQ(file.Open(temp.U16("data")), ReadFailure::kNone);
    Collected got;
    got.afterPiece = [] { std::this_thread::sleep_for(std::chrono::milliseconds(2)); };
    const StreamOutcome outcome = StreamFile(file, got.Consumer());
    ASSERT_EQ(outcome.end, StreamEnd::kComplete);
    EXPECT_EQ(outcome.bytes, contents.size());
    EXPECT_TRUE(got.bytes == contents);
}

TEST(FileStream, AFileThatShrinksAfterOpeningGivesWhatItStillHolds) {
    TemporaryFolder temp;
    // Large enough for every route, each of which must stop where the file now ends.
    const std::string contents = RandomBytes(kLargeFileBytes + kFilePieceBytes + 100);
    for (FileRoute route : kAllFileRoutes) {
        const ForcedFileRoute forced(route);
        for (std::size_t kept : {std::size_t{0}, std::size_t{7}, kFilePieceBytes,
                                 kFilePieceBytes + 1, std::size_t{kLargeFileBytes} + 3}) {
            test::WriteBytes(temp.Native("data"), contents);
            InputFile file;
            ASSERT_EQ(file.Open(temp.U16("data")), ReadFailure::kNone);
            ASSERT_EQ(file.Size(), contents.size());
            ASSERT_EQ(::truncate(temp.Native("data").c_str(), static_cast<off_t>(kept)), 0);
            Collected got;
            const StreamOutcome outcome = StreamFile(file, got.Consumer());
            const std::string what = RouteName(route) + ", " + std::to_string(kept) + " kept";
            ASSERT_EQ(outcome.end, StreamEnd::kComplete) << what;
            EXPECT_EQ(outcome.bytes, kept) << what;
            EXPECT_TRUE(got.bytes == contents.substr(0, kept)) << what;
        }
    }
}

TEST(FileStream, BytesAddedAfterOpeningAreReadToo) {
    TemporaryFolder temp;
    for (FileRoute route : kAllFileRoutes) {
        const ForcedFileRoute forced(route);
        for (std::size_t size : {std::size_t{8}, std::size_t{kLargeFileBytes} + 8}) {
            const std::string contents = RandomBytes(size);
            test::WriteBytes(temp.Native("data"), contents);
            InputFile file;
            ASSERT_EQ(file.Open(temp.U16("data")), ReadFailure::kNone);
            std::ofstream(temp.Native("data"), std::ios::binary | std::ios::app) << "-and-grown";
            Collected got;
            const StreamOutcome outcome = StreamFile(file, got.Consumer());
            const std::string what = RouteName(route) + ", " + std::to_string(size) + " bytes";
            ASSERT_EQ(outcome.end, StreamEnd::kComplete) << what;
            EXPECT_EQ(outcome.bytes, size + 10) << what;
            EXPECT_TRUE(got.bytes == contents + "-and-grown") << what;
        }
    }
}

// Files of /proc report a size of 0 and still hold bytes.
TEST(FileStream, AFileThatReportsNoSizeIsReadToItsEnd) {
    const std::string path = "/proc/version";
    std::ifstream stream(path, std::ios::binary);
    if (!stream) GTEST_SKIP() << path << " is not there";
    const std::string contents{std::istreambuf_iterator<char>(stream), {}};
    ASSERT_FALSE(contents.empty());
    InputFile file;
    ASSERT_EQ(file.Open(u"/proc/version"), ReadFailure::kNone);
    ASSERT_EQ(file.Size(), 0u);
    Collected got;
    const StreamOutcome outcome = StreamFile(file, got.Consumer());
    ASSERT_EQ(outcome.end, StreamEnd::kComplete);
    EXPECT_EQ(got.bytes, contents);
}

// The file is cut while a window of it is mapped: reads past the new end meet pages that are
// gone (a fault the stream must survive) or, inside the last page, zeros that were never in the
// file. Either way what was handed over is void and the file comes again from its start.
TEST(FileStream, AFileCutWhileMappedStartsOverAndGivesWhatItStillHolds) {
    SKIP_ON_WINDOWS("Windows refuses to cut a file short while a view of it is mapped");
    for (FileRoute route : testing::kMappedRoutes) {
        const ForcedFileRoute forced(route);
        SCOPED_TRACE(FileRouteName(route));
        TemporaryFolder temp;
        const std::string path = temp.Native("data");
        const std::string contents = RandomBytes(3 * kMapWindowBytes);
        const struct {
            const char* name;
            std::size_t kept;
        } cases[] = {{"emptied", 0},
                     {"cut in a later window", kMapWindowBytes + kFilePieceBytes + 77},
                     {"cut in the window being read", kMapWindowBytes - 5}};
        for (const auto& c : cases) {
            test::WriteBytes(path, contents);
            InputFile file;
            ASSERT_EQ(file.Open(temp.U16("data")), ReadFailure::kNone);
            Collected got;
            got.afterPiece = [&] {
                if (got.pieces != 1 || got.startsOver > 0) return;
                ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(c.kept)), 0);
            };
            const StreamOutcome outcome = StreamFile(file, got.Consumer());
            ASSERT_EQ(outcome.end, StreamEnd::kComplete) << c.name;
            EXPECT_EQ(got.startsOver, 1) << c.name;
            EXPECT_EQ(outcome.bytes, c.kept) << c.name;
            EXPECT_TRUE(got.bytes == contents.substr(0, c.kept)) << c.name;
        }
    }
}

TEST(FileStream, WhereAFileCannotBeMappedItIsRead) {
    for (FileRoute route : testing::kMappedRoutes) {
        const ForcedFileRoute forced(route);
        SCOPED_TRACE(FileRouteName(route));
        TemporaryFolder temp;
        const std::string contents = RandomBytes(3 * kMapWindowBytes + 11);
        test::WriteBytes(temp.Native("data"), contents);
        // No window at all, or the first two and then none.
        for (std::size_t mappable : {std::size_t{0}, 2 * kMapWindowBytes}) {
            const test::FailingCall failing(test::Call::kMap, ENODEV, mappable);
            InputFile file;
            ASSERT_EQ(file.Open(temp.U16("data")), ReadFailure::kNone);
            Collected got;
            const StreamOutcome outcome = StreamFile(file, got.Consumer());
            ASSERT_EQ(outcome.end, StreamEnd::kComplete) << mappable;
            EXPECT_EQ(outcome.bytes, contents.size()) << mappable;
            EXPECT_TRUE(got.bytes == contents) << mappable;
        }
    }
}

}  // namespace
}  // namespace tessik
