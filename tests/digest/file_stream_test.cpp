#include "digest/file_stream.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "support/temporary_folder.h"

namespace tessik {
namespace {

using test::TemporaryFolder;

// Everything a stream hands over, piece by piece.
struct Collected {
    std::string bytes;
    std::size_t pieces = 0;
    std::size_t largestPiece = 0;

    PieceConsumer Consumer() {
        return [this](const std::uint8_t* data, std::size_t length) {
            bytes.append(reinterpret_cast<const char*>(data), length);
            ++pieces;
            largestPiece = std::max(largestPiece, length);
        };
    }
};

std::string RandomBytes(std::size_t length) {
    std::mt19937 random(static_cast<unsigned>(length));
    std::string bytes(length, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

TEST(FileStream, HandsOverExactlyTheFileInPiecesOfAtMostOneBuffer) {
    constexpr std::size_t kPiece = kFilePieceBytes;
    // Read on the calling thread, then around the size from which a second thread reads ahead.
    constexpr std::size_t kAhead = kReadAheadFromBytes;
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
                 {kAhead - 1, kAhead / kPiece},
                 {kAhead, kAhead / kPiece},
                 {kAhead + 1, kAhead / kPiece + 1},
                 {3 * kAhead + 5, 3 * kAhead / kPiece + 1}};
    TemporaryFolder temp;
    for (const auto& c : cases) {
        const std::string contents = RandomBytes(c.size);
        test::WriteBytes(temp.Native("data"), contents);
        InputFile file;
        ASSERT_EQ(file.Open(temp.U16("data")), ReadFailure::kNone);
        Collected got;
        const StreamOutcome outcome = StreamMeasured(file, got.Consumer());
        ASSERT_EQ(outcome.end, StreamEnd::kComplete) << c.size;
        EXPECT_EQ(outcome.bytes, c.size);
        EXPECT_EQ(got.bytes, contents) << c.size;
        EXPECT_EQ(got.pieces, c.pieces) << c.size;
        EXPECT_LE(got.largestPiece, kPiece);
    }
}

TEST(FileStream, ASlowConsumerGetsEveryPieceInOrderWhileTheReaderWaitsForFreeBuffers) {
    TemporaryFolder temp;
    const std::string contents = RandomBytes(20 * kFilePieceBytes + 9);
    test::WriteBytes(temp.Native("data"), contents);
    InputFile file;
    ASSERT_EQ(file.Open(temp.U16("data")), ReadFailure::kNone);
    std::string got;
    const StreamOutcome outcome =
        StreamMeasured(file, [&](const std::uint8_t* data, std::size_t n) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            got.append(reinterpret_cast<const char*>(data), n);
        });
    ASSERT_EQ(outcome.end, StreamEnd::kComplete);
    EXPECT_EQ(outcome.bytes, contents.size());
    EXPECT_TRUE(got == contents);
}

TEST(FileStream, AFileThatShrinksAfterOpeningGivesWhatItStillHolds) {
    TemporaryFolder temp;
    // Large enough to be read ahead on a second thread, which must stop where the file ends.
    const std::string contents = RandomBytes(kReadAheadFromBytes + kFilePieceBytes + 100);
    test::WriteBytes(temp.Native("data"), contents);
    for (std::size_t kept : {std::size_t{0}, std::size_t{7}, kFilePieceBytes, kFilePieceBytes + 1,
                             std::size_t{kReadAheadFromBytes} + 3}) {
        InputFile file;
        ASSERT_EQ(file.Open(temp.U16("data")), ReadFailure::kNone);
        ASSERT_EQ(file.Size(), contents.size());
        ASSERT_EQ(::truncate(temp.Native("data").c_str(), static_cast<off_t>(kept)), 0);
        Collected got;
        const StreamOutcome outcome = StreamMeasured(file, got.Consumer());
        ASSERT_EQ(outcome.end, StreamEnd::kComplete);
        EXPECT_EQ(outcome.bytes, kept);
        EXPECT_EQ(got.bytes, contents.substr(0, kept));
        test::WriteBytes(temp.Native("data"), contents);
    }
}

TEST(FileStream, BytesAddedAfterOpeningAreNotRead) {
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("data"), "measured");
    InputFile file;
    ASSERT_EQ(file.Open(temp.U16("data")), ReadFailure::kNone);
    std::ofstream(temp.Native("data"), std::ios::binary | std::ios::app) << "-and-grown";
    Collected got;
    const StreamOutcome outcome = StreamMeasured(file, got.Consumer());
    ASSERT_EQ(outcome.end, StreamEnd::kComplete);
    EXPECT_EQ(outcome.bytes, 8u);
    EXPECT_EQ(got.bytes, "measured");
}

}  // namespace
}  // namespace tessik
