// Every engine that has an independent implementation against it, at the lengths where padding
// changes shape and on random messages fed in random pieces; then what every engine promises
// through its interface.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "digest/blake2b.h"
#include "digest/blake2s.h"
#include "digest/hex.h"
#include "digest/keccak.h"
#include "digest/md2.h"
#include "digest/md4.h"
#include "digest/md5.h"
#include "digest/sha1.h"
#include "digest/sha256.h"
#include "digest/sha512.h"
#include "digest/string_hashes.h"
#include "digest/xxhash_engine.h"
#include "engine_test_support.h"

namespace tessik {
namespace {

using testing::Bytes;
using testing::EnginesUnderTest;
using testing::OneShotHex;
using testing::PiecewiseHex;
using testing::RandomBytes;
using testing::RandomPieces;

// Around one and two 16-byte MD2 blocks; around the 56- and 112-byte marks after which the 64-
// and 128-byte engines need one more block for the length, and around two such blocks; around
// one and two blocks of each SHA-3 rate (144, 136, 104 and 72 bytes); around the string hashes'
// 8-byte unrolled blocks.
constexpr std::size_t kBoundaryLengths[] = {
    0,   1,   7,   8,   9,   15,  16,  17,  31,  32,  33,  55,  56,  57,  63,  64,  65,  71,
    72,  73,  103, 104, 105, 111, 112, 113, 119, 120, 121, 127, 128, 129, 135, 136, 137, 143,
    144, 145, 207, 208, 209, 239, 240, 241, 255, 256, 257, 271, 272, 273, 287, 288, 289};

TEST(DigestEngines, MatchTheReferenceAtPaddingBoundaries) {
    std::mt19937_64 random(1319);
    for (const auto& engine : EnginesUnderTest()) {
        const std::string_view name = engine.algorithm.name;
        for (std::size_t length : kBoundaryLengths) {
            const Bytes message = RandomBytes(random, length);
            const std::string expected = engine.referenceHex(message.data(), length);
            EXPECT_EQ(OneShotHex(engine.algorithm, message), expected)
                << name << ", " << length << " bytes";
            // Byte by byte, so the buffer passes through every fill on its way.
            EXPECT_EQ(PiecewiseHex(engine.algorithm, message, std::vector<std::size_t>(length, 1)),
                      expected)
                << name << ", " << length << " single bytes";
        }
    }
}

TEST(DigestEngines, MatchTheReferenceOnRandomMessagesInRandomPieces) {
    std::mt19937_64 random(1321);
    for (const auto& engine : EnginesUnderTest()) {
        const std::string_view name = engine.algorithm.name;
        for (int round = 0; round < 300; ++round) {
            const Bytes message = RandomBytes(random, random() % 4000);
            const std::string expected = engine.referenceHex(message.data(), message.size());
            EXPECT_EQ(OneShotHex(engine.algorithm, message), expected)
                << name << ", " << message.size() << " bytes";
            EXPECT_EQ(PiecewiseHex(engine.algorithm, message, RandomPieces(random, message.size())),
                      expected)
                << name << ", " << message.size() << " bytes in pieces, round " << round;
        }
    }
}

TEST(DigestEngines, RowsAndEnginesAgreeOnTheDigestSize) {
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        const auto engine = algorithm.makeEngine();
        EXPECT_EQ(engine->DigestSize(), algorithm.digestBytes) << algorithm.name;
        EXPECT_EQ(OneShotHex(algorithm, Bytes{}).size(), 2 * algorithm.digestBytes)
            << algorithm.name;
    }
}

// An engine used for one message after another, a finished one or one left unfinished, gives
// each its own digest.
TEST(DigestEngines, EachRestartBeginsAnIndependentDigest) {
    const Bytes abc = {'a', 'b', 'c'};
    const Bytes unfinished(77, 0x5A);
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        const std::string expected = OneShotHex(algorithm, abc);
        const auto engine = algorithm.makeEngine();
        engine->Update(unfinished.data(), unfinished.size());
        EXPECT_EQ(HexDigest(DigestOfBytes(*engine, abc.data(), abc.size())), expected)
            << algorithm.name << " after an unfinished message";
        EXPECT_EQ(HexDigest(DigestOfBytes(*engine, abc.data(), abc.size())), expected)
            << algorithm.name << " after a finished one";
        // Finishing leaves a new message behind, as restarting does.
        engine->Update(abc.data(), abc.size());
        EXPECT_EQ(HexDigest(TakeDigest(*engine)), expected) << algorithm.name << " after finish";
    }
}

// A message whose every 8-byte window is distinct, so that any stretch of it left in an
// engine's memory is found.
Bytes Traceable(std::size_t length) {
    Bytes message(length);
    for (std::size_t i = 0; i < length; ++i) message[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return message;
}

bool HoldsAnyStretchOf(const std::uint8_t* memory, std::size_t size, const Bytes& message) {
    constexpr std::size_t kStretch = 8;
    for (std::size_t at = 0; at + kStretch <= message.size(); ++at) {
        if (std::search(memory, memory + size, message.begin() + at,
                        message.begin() + at + kStretch) != memory + size) {
            return true;
        }
    }
    return false;
}

// Builds the engine in storage the test owns, so its memory can be read after finishing and
// after destruction.
template <typename Engine, typename... Arguments>
void ExpectNoMessageLeftBehind(const char* name, Arguments... arguments) {
    // 100 bytes: a partial block is buffered in every block size and sponge rate.
    const Bytes message = Traceable(100);
    // Zeroed first: padding the engine never writes would otherwise keep whatever an earlier
    // call left on the stack, message bytes included.
    alignas(Engine) std::uint8_t storage[sizeof(Engine)] = {};
    auto* engine = new (storage) Engine(arguments...);
    engine->Update(message.data(), message.size());
    std::uint8_t digest[kLargestDigestBytes];
    engine->Finish(digest);
    EXPECT_FALSE(HoldsAnyStretchOf(storage, sizeof storage, message)) << name << " after finish";
    engine->Update(message.data(), message.size());
    engine->~Engine();
    EXPECT_FALSE(HoldsAnyStretchOf(storage, sizeof storage, message))
        << name << " after destruction";
}

TEST(DigestEngines, LeaveNoMessageBytesBehindWhenFinishedOrDestroyed) {
    ExpectNoMessageLeftBehind<Md2Engine>("MD2");
    ExpectNoMessageLeftBehind<Md4Engine>("MD4");
    ExpectNoMessageLeftBehind<Md5Engine>("MD5");
    ExpectNoMessageLeftBehind<Sha1Engine>("SHA-1");
    ExpectNoMessageLeftBehind<Sha256Engine>("SHA-256", 32);
    ExpectNoMessageLeftBehind<Sha512Engine>("SHA-512", 64);
    ExpectNoMessageLeftBehind<KeccakEngine>("SHA3-256", 32, KeccakPadding::kSha3);
    ExpectNoMessageLeftBehind<StringHashEngine>("SDBM", StringHash::kSdbm);
    ExpectNoMessageLeftBehind<Blake2bEngine>("BLAKE2b");
    ExpectNoMessageLeftBehind<Blake2sEngine>("BLAKE2s");
    ExpectNoMessageLeftBehind<XxhashEngine>("XXH32", XxhashVariant::kXxh32);
    ExpectNoMessageLeftBehind<XxhashEngine>("XXH64", XxhashVariant::kXxh64);
    ExpectNoMessageLeftBehind<XxhashEngine>("XXH3-128", XxhashVariant::kXxh128);
}

}  // namespace
}  // namespace tessik
