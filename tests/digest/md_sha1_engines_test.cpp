// Every engine that has an independent implementation against it, at the lengths where padding
// changes shape and on random messages fed in random pieces; then what is particular to one
// engine's interface.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "digest/hex.h"
#include "digest/md4.h"
#include "digest/sha1.h"
#include "engine_test_support.h"

namespace tessik {
namespace {

using testing::Bytes;
using testing::EnginesUnderTest;
using testing::RandomBytes;
using testing::RandomPieces;

// Around one and two 16-byte MD2 blocks; around the 56- and 112-byte marks after which the 64-
// and 128-byte engines need one more block for the length, and around two such blocks; around
// one and two blocks of each SHA-3 rate (144, 136, 104 and 72 bytes).
constexpr std::size_t kBoundaryLengths[] = {
    0,   1,   15,  16,  17,  31,  32,  33,  55,  56,  57,  63,  64,  65,  71,  72,  73,
    103, 104, 105, 111, 112, 113, 119, 120, 121, 127, 128, 129, 135, 136, 137, 143, 144,
    145, 207, 208, 209, 239, 240, 241, 255, 256, 257, 271, 272, 273, 287, 288, 289};

TEST(DigestEngines, MatchTheReferenceAtPaddingBoundaries) {
    std::mt19937_64 random(1319);
    for (const auto& engine : EnginesUnderTest()) {
        for (std::size_t length : kBoundaryLengths) {
            const Bytes message = RandomBytes(random, length);
            const std::string expected = engine.referenceHex(message.data(), length);
            EXPECT_EQ(engine.oneShotHex(message.data(), length), expected)
                << engine.name << ", " << length << " bytes";
            // Byte by byte, so the buffer passes through every fill on its way.
            EXPECT_EQ(engine.piecewiseHex(message, std::vector<std::size_t>(length, 1)), expected)
                << engine.name << ", " << length << " single bytes";
        }
    }
}

TEST(DigestEngines, MatchTheReferenceOnRandomMessagesInRandomPieces) {
    std::mt19937_64 random(1321);
    for (const auto& engine : EnginesUnderTest()) {
        for (int round = 0; round < 300; ++round) {
            const Bytes message = RandomBytes(random, random() % 4000);
            const std::string expected = engine.referenceHex(message.data(), message.size());
            EXPECT_EQ(engine.oneShotHex(message.data(), message.size()), expected)
                << engine.name << ", " << message.size() << " bytes";
            EXPECT_EQ(engine.piecewiseHex(message, RandomPieces(random, message.size())), expected)
                << engine.name << ", " << message.size() << " bytes in pieces, round " << round;
        }
    }
}

TEST(Md4Finish, LeavesNoMessageBytesInTheContext) {
    const Bytes message(100, 0xA5);  // leaves 36 bytes in the buffer before the padding
    Md4Context context;
    Md4Init(context);
    Md4Update(context, message.data(), message.size());
    std::uint8_t digest[16];
    Md4Finish(context, digest);
    const Md4Context zeroed{};
    EXPECT_EQ(std::memcmp(&context, &zeroed, sizeof context), 0);
}

std::string Sha1HexOf(Sha1Engine& engine, std::string_view text) {
    engine.Restart();
    engine.Absorb(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    engine.Finish();
    std::string hex;
    engine.WriteHex(hex);
    return hex;
}

TEST(Sha1Engine, EachRestartBeginsAnIndependentDigest) {
    Sha1Engine engine;
    // A partial block left behind by an unfinished message must not leak into the next one.
    engine.Absorb(reinterpret_cast<const std::uint8_t*>("unfinished"), 10);
    const struct {
        std::string_view text;
        std::string_view digest;  // FIPS 180-4 examples
    } runs[] = {
        {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {"", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
        {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
    };
    for (const auto& run : runs) EXPECT_EQ(Sha1HexOf(engine, run.text), run.digest) << run.text;
}

TEST(Sha1Engine, WriteHexAppendsTheDigestToTheText) {
    Sha1Engine engine;
    const std::string hex = Sha1HexOf(engine, "abc");
    std::string text = "abc: ";
    engine.WriteHex(text);
    EXPECT_EQ(text, "abc: " + hex);
    const auto& digest = engine.Digest();
    EXPECT_EQ(HexDigest(digest.data(), digest.size()), hex);
}

}  // namespace
}  // namespace tessik
