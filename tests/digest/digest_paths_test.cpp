// Every fast path this machine can run against the portable path, through the engines' own
// interfaces: every length up to 1,000 bytes from unaligned starts, and long messages fed in
// random pieces so each kernel meets every buffer state and many blocks per call.

#include "digest/digest_paths.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "digest/digest_kernels.h"
#include "digest/keccak.h"
#include "digest/md5.h"
#include "engine_test_support.h"

namespace tessik {
namespace {

using testing::Bytes;
using testing::RandomBytes;
using testing::RandomPieces;

// The engines of the shared table plus the Keccak padding, which has no reference of its own.
struct Engine {
    std::string name;
    testing::HexFunction oneShotHex;
    std::string (*piecewiseHex)(const Bytes& message, const std::vector<std::size_t>& pieces);
};

template <DigestVariant kVariant>
std::string KeccakOneShot(const std::uint8_t* data, std::size_t length) {
    return KeccakHex(data, length, kVariant);
}

template <DigestVariant kVariant>
std::string KeccakPiecewise(const Bytes& message, const std::vector<std::size_t>& pieces) {
    return testing::KeccakPiecewiseHex(message, pieces, kVariant, KeccakPadding::kKeccak);
}

std::vector<Engine> AllEngines() {
    using V = DigestVariant;
    std::vector<Engine> engines;
    for (const auto& engine : testing::EnginesUnderTest()) {
        engines.push_back({std::string(engine.name), engine.oneShotHex, engine.piecewiseHex});
    }
    engines.push_back({"KECCAK(224)", KeccakOneShot<V::k224>, KeccakPiecewise<V::k224>});
    engines.push_back({"KECCAK(256)", KeccakOneShot<V::k256>, KeccakPiecewise<V::k256>});
    engines.push_back({"KECCAK(384)", KeccakOneShot<V::k384>, KeccakPiecewise<V::k384>});
    engines.push_back({"KECCAK(512)", KeccakOneShot<V::k512>, KeccakPiecewise<V::k512>});
    return engines;
}

class DigestPaths : public ::testing::Test {
  protected:
    void TearDown() override { UseFastestDigestPaths(); }

    // The portable result, then the same computation on every other path.
    template <typename Compute>
    void ExpectEveryPathAgrees(const std::string& what, Compute&& compute) {
        ASSERT_TRUE(ForceDigestPath(DigestPath::kPortable));
        const std::string expected = compute();
        for (DigestPath path : SupportedDigestPaths()) {
            ASSERT_TRUE(ForceDigestPath(path));
            EXPECT_EQ(compute(), expected) << what << " on the " << DigestPathName(path) << " path";
        }
    }
};

TEST_F(DigestPaths, PortableIsAlwaysSupportedAndListedFirst) {
    const std::vector<DigestPath> paths = SupportedDigestPaths();
    ASSERT_FALSE(paths.empty());
    EXPECT_EQ(paths.front(), DigestPath::kPortable);
}

TEST_F(DigestPaths, APathThisMachineCannotRunIsRefusedAndChangesNothing) {
    const Bytes message(300, 0xa5);
    const std::string before = Md5Hex(message.data(), message.size());
    EXPECT_FALSE(ForceDigestPath(static_cast<DigestPath>(99)));
    EXPECT_EQ(Md5Hex(message.data(), message.size()), before);
}

TEST_F(DigestPaths, AgreeOnEveryLengthUpToAThousandFromUnalignedStarts) {
    std::mt19937_64 random(202);
    const Bytes source = RandomBytes(random, 1000 + 8);
    for (const Engine& engine : AllEngines()) {
        for (std::size_t length = 0; length <= 1000; ++length) {
            const std::size_t offset = length % 8;
            ExpectEveryPathAgrees(engine.name + ", " + std::to_string(length) + " bytes", [&] {
                return engine.oneShotHex(source.data() + offset, length);
            });
        }
    }
}

TEST_F(DigestPaths, AgreeOnLongMessagesInRandomPieces) {
    std::mt19937_64 random(203);
    for (const Engine& engine : AllEngines()) {
        for (int round = 0; round < 12; ++round) {
            const Bytes message = RandomBytes(random, random() % 40000);
            const std::vector<std::size_t> pieces = RandomPieces(random, message.size());
            ExpectEveryPathAgrees(engine.name + ", round " + std::to_string(round),
                                  [&] { return engine.piecewiseHex(message, pieces); });
        }
    }
}

// The kernels themselves, from random states rather than the standard starting words and with
// any number of blocks per call, none included.
template <typename Word, std::size_t kWords, typename Kernel>
void ExpectKernelsAgree(std::mt19937_64& random, Kernel DigestKernels::*kernel,
                        std::size_t blockBytes, const char* name) {
    for (std::size_t blocks : {0, 1, 2, 3, 8, 33}) {
        std::array<Word, kWords> start;
        for (Word& word : start) word = static_cast<Word>(random());
        const Bytes data = RandomBytes(random, blocks * blockBytes);
        ASSERT_TRUE(ForceDigestPath(DigestPath::kPortable));
        std::array<Word, kWords> expected = start;
        (ActiveDigestKernels().*kernel)(expected.data(), data.data(), blocks);
        if (blocks == 0) {
            EXPECT_EQ(expected, start) << name;
        }
        for (DigestPath path : SupportedDigestPaths()) {
            ASSERT_TRUE(ForceDigestPath(path));
            std::array<Word, kWords> state = start;
            (ActiveDigestKernels().*kernel)(state.data(), data.data(), blocks);
            EXPECT_EQ(state, expected)
                << name << ", " << blocks << " blocks on the " << DigestPathName(path) << " path";
        }
    }
}

TEST_F(DigestPaths, KernelsAgreeFromAnyStateOnAnyNumberOfBlocks) {
    std::mt19937_64 random(204);
    ExpectKernelsAgree<std::uint32_t, 4>(random, &DigestKernels::md4, 64, "MD4");
    ExpectKernelsAgree<std::uint32_t, 4>(random, &DigestKernels::md5, 64, "MD5");
    ExpectKernelsAgree<std::uint32_t, 5>(random, &DigestKernels::sha1, 64, "SHA-1");
    ExpectKernelsAgree<std::uint32_t, 8>(random, &DigestKernels::sha256, 64, "SHA-256");
    ExpectKernelsAgree<std::uint64_t, 8>(random, &DigestKernels::sha512, 128, "SHA-512");
    // Keccak: the permutation alone (rate 0), then absorbing at every rate the catalogue uses
    // and one it does not.
    for (std::size_t rateLanes : {0, 9, 13, 17, 18, 21}) {
        const Bytes data = RandomBytes(random, 5 * rateLanes * 8);
        std::array<std::uint64_t, 25> start;
        for (auto& lane : start) lane = random();
        ASSERT_TRUE(ForceDigestPath(DigestPath::kPortable));
        const auto run = [&](std::array<std::uint64_t, 25>& lanes) {
            if (rateLanes == 0) return ActiveDigestKernels().keccakPermute(lanes.data());
            ActiveDigestKernels().keccakAbsorb(lanes.data(), data.data(), 5, rateLanes);
        };
        std::array<std::uint64_t, 25> expected = start;
        run(expected);
        for (DigestPath path : SupportedDigestPaths()) {
            ASSERT_TRUE(ForceDigestPath(path));
            std::array<std::uint64_t, 25> state = start;
            run(state);
            EXPECT_EQ(state, expected)
                << rateLanes << " lanes per block on the " << DigestPathName(path) << " path";
        }
    }
}

TEST_F(DigestPaths, ForcingFollowsTheChosenPathUntilReleased) {
    // The fastest paths give the same digests as the forced ones; releasing the force must not
    // leave an engine without a kernel.
    const Bytes message(777, 0x5a);
    for (const Engine& engine : AllEngines()) {
        ASSERT_TRUE(ForceDigestPath(DigestPath::kPortable));
        const std::string portable = engine.oneShotHex(message.data(), message.size());
        UseFastestDigestPaths();
        EXPECT_EQ(engine.oneShotHex(message.data(), message.size()), portable) << engine.name;
    }
}

}  // namespace
}  // namespace tessik
