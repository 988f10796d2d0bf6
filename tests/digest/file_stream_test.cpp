#include "digest/file_stream.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <string>

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
    const struct {
        std::size_t size;
        std::size_t pieces;
    } cases[] = {{0, 0},          {1, 1},          {kPiece - 1, 1},    {kPiece, 1},
                 {kPiece + 1, 2}, {2 * kPiece, 2}, {2 * kPiece + 3, 3}};
    TemporaryFolder temp;
    for (const auto& c : cases) {
        const std::string contents = RandomBytes(c.size);
        test::WriteBytes(temp.Native("data"), contents);
        Collected got;
        const auto total = StreamFile(temp.U16("data"), got.Consumer());
        ASSERT_TRUE(total.has_value()) << c.size;
        EXPECT_EQ(*total, c.size);
        EXPECT_EQ(got.bytes, contents) << c.size;
        EXPECT_EQ(got.pieces, c.pieces) << c.size;
        EXPECT_LE(got.largestPiece, kPiece);
    }
}

TEST(FileStream, AFileThatShrinksAfterOpeningGivesWhatItStillHolds) {
    TemporaryFolder temp;
    const std::string contents = RandomBytes(kFilePieceBytes + 100);
    test::WriteBytes(temp.Native("data"), contents);
    for (std::size_t kept :
         {std::size_t{0}, std::size_t{7}, kFilePieceBytes, kFilePieceBytes + 1}) {
        InputFile file;
        ASSERT_TRUE(OpenMeasured(temp.U16("data"), file));
        ASSERT_EQ(file.Size(), contents.size());
        ASSERT_EQ(::truncate(temp.Native("data").c_str(), static_cast<off_t>(kept)), 0);
        Collected got;
        const auto total = StreamMeasured(file, got.Consumer());
        ASSERT_TRUE(total.has_value());
        EXPECT_EQ(*total, kept);
        EXPECT_EQ(got.bytes, contents.substr(0, kept));
        test::WriteBytes(temp.Native("data"), contents);
    }
}

TEST(FileStream, BytesAddedAfterOpeningAreNotRead) {
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("data"), "measured");
    InputFile file;
    ASSERT_TRUE(OpenMeasured(temp.U16("data"), file));
    std::ofstream(temp.Native("data"), std::ios::binary | std::ios::app) << "-and-grown";
    Collected got;
    const auto total = StreamMeasured(file, got.Consumer());
    ASSERT_TRUE(total.has_value());
    EXPECT_EQ(*total, 8u);
    EXPECT_EQ(got.bytes, "measured");
}

}  // namespace
}  // namespace tessik
