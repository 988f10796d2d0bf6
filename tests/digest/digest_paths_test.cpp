// Every fast path this machine can run against the portable path, through the engines' own
// interfaces: every length up to 1,000 bytes from unaligned starts, and long messages fed in
// random pieces so each kernel meets every buffer state and many blocks per call.

#include "digest/digest_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_kernels.h"
#include "digest/processor_tuning.h"
#include "engine_test_support.h"
#include "every_path.h"

namespace tessik {
namespace {

using testing::Bytes;
using testing::ExpectEveryPathAgrees;
using testing::OneShotHex;
using testing::PiecewiseHex;
using testing::RandomBytes;
using testing::RandomPieces;

class DigestPaths : public ::testing::Test {
  protected:
    void TearDown() override { UseFastestDigestPaths(); }
};

TEST_F(DigestPaths, PortableIsAlwaysSupportedAndListedFirst) {
    const std::vector<DigestPath> paths = SupportedDigestPaths();
    ASSERT_FALSE(paths.empty());
    EXPECT_EQ(paths.front(), DigestPath::kPortable);
}

TEST_F(DigestPaths, APathThisMachineCannotRunIsRefusedAndChangesNothing) {
    const Bytes message(300, 0xa5);
    const AlgorithmInfo& md5 = testing::AlgorithmNamed("MD5");
    const std::string before = OneShotHex(md5, message);
    EXPECT_FALSE(ForceDigestPath(static_cast<DigestPath>(99)));
    EXPECT_EQ(OneShotHex(md5, message), before);
}

TEST_F(DigestPaths, AgreeOnEveryLengthUpToAThousandFromUnalignedStarts) {
    std::mt19937_64 random(202);
    const Bytes source = RandomBytes(random, 1000 + 8);
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        for (std::size_t length = 0; length <= 1000; ++length) {
            const std::size_t offset = length % 8;
            ExpectEveryPathAgrees(
                std::string(algorithm.name) + ", " + std::to_string(length) + " bytes",
                [&] { return OneShotHex(algorithm, source.data() + offset, length); });
        }
    }
}

TEST_F(DigestPaths, AgreeOnLongMessagesInRandomPieces) {
    std::mt19937_64 random(203);
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        for (int round = 0; round < 12; ++round) {
            const Bytes message = RandomBytes(random, random() % 40000);
            const std::vector<std::size_t> pieces = RandomPieces(random, message.size());
            ExpectEveryPathAgrees(std::string(algorithm.name) + ", round " + std::to_string(round),
                                  [&] { return PiecewiseHex(algorithm, message, pieces); });
        }
    }
}

// The kernels themselves, from random states rather than the standard starting words and with
// any number of blocks per call, none included.
template <typename Word, std::size_t kWords, typename Kernel, typename... More>
void ExpectKernelsAgree(std::mt19937_64& random, Kernel DigestKernels::*kernel,
                        std::size_t blockBytes, const char* name, More... more) {
    for (std::size_t blocks : {0, 1, 2, 3, 8, 33}) {
        std::array<Word, kWords> start;
        for (Word& word : start) word = static_cast<Word>(random());
        const Bytes data = RandomBytes(random, blocks * blockBytes);
        ASSERT_TRUE(ForceDigestPath(DigestPath::kPortable));
        std::array<Word, kWords> expected = start;
        (ActiveDigestKernels().*kernel)(expected.data(), data.data(), blocks, more...);
        if (blocks == 0) {
            EXPECT_EQ(expected, start) << name;
        }
        for (DigestPath path : SupportedDigestPaths()) {
            ASSERT_TRUE(ForceDigestPath(path));
            std::array<Word, kWords> state = start;
            (ActiveDigestKernels().*kernel)(state.data(), data.data(), blocks, more...);
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
    // BLAKE2 with the last block's flag and without, BLAKE2s from a count about to carry into the
    // counter's high word.
    for (bool last : {false, true}) {
        ExpectKernelsAgree<std::uint64_t, 8>(random, &DigestKernels::blake2b, 128, "BLAKE2b",
                                             std::uint64_t{12345}, last);
        ExpectKernelsAgree<std::uint32_t, 8>(random, &DigestKernels::blake2s, 64, "BLAKE2s",
                                             std::uint64_t{0xffffffc0}, last);
    }
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

// The CRC kernels directly, since a build with a CRC library runs them only here: from random
// registers, every length to a few KiB (past the folding strides and the three streams' joins)
// from unaligned starts, and long messages in random pieces.
TEST_F(DigestPaths, CrcKernelsAgreeFromAnyRegisterOnAnyLength) {
    std::mt19937_64 random(205);
    const Bytes source = RandomBytes(random, 5000 + 16);
    for (auto kernel : {&DigestKernels::crc32, &DigestKernels::crc32c}) {
        const bool ieee = kernel == &DigestKernels::crc32;
        const char* name = ieee ? "CRC-32" : "CRC-32C";
        // The portable kernel, which such a build never runs through the engines, against
        // the published check value.
        ASSERT_TRUE(ForceDigestPath(DigestPath::kPortable));
        const auto* check = reinterpret_cast<const std::uint8_t*>("123456789");
        EXPECT_EQ((ActiveDigestKernels().*kernel)(0, check, 9), ieee ? 0xCBF43926u : 0xE3069283u);
        for (std::size_t length = 0; length <= 5000; length += length < 600 ? 1 : 37) {
            const std::size_t offset = length % 16;
            const auto start = static_cast<std::uint32_t>(random());
            ExpectEveryPathAgrees(
                std::string(name) + ", " + std::to_string(length) + " bytes", [&] {
                    return (ActiveDigestKernels().*kernel)(start, source.data() + offset, length);
                });
        }
        for (int round = 0; round < 12; ++round) {
            const Bytes message = RandomBytes(random, random() % 70000);
            const std::vector<std::size_t> pieces = RandomPieces(random, message.size());
            ExpectEveryPathAgrees(std::string(name) + ", round " + std::to_string(round), [&] {
                std::uint32_t crc = 0;
                std::size_t at = 0;
                for (std::size_t piece : pieces) {
                    crc = (ActiveDigestKernels().*kernel)(crc, message.data() + at, piece);
                    at += piece;
                }
                return crc;
            });
        }
    }
}

bool Supports(DigestPath path) {
    const std::vector<DigestPath> paths = SupportedDigestPaths();
    return std::find(paths.begin(), paths.end(), path) != paths.end();
}

TEST(ProcessorTuning, EachKindOfProcessorGetsWhatWasMeasuredOnIt) {
    const struct {
        const char* name;
        ProcessorKind kind;
        bool vectorMdSteps;
        FileRoute largeFileRoute;
        FileRoute readBoundRoute;
    } cases[] = {
        {"Ice Lake server",
         {CpuVendor::kIntel, 6, 0x6a},
         true,
         FileRoute::kReadAhead,
         FileRoute::kReadAhead},
        {"Zen 2", {CpuVendor::kAmd, 0x17, 0x31}, false, FileRoute::kMap, FileRoute::kMap},
        {"Zen 4",
         {CpuVendor::kAmd, 0x19, 0x11},
         false,
         FileRoute::kReadAhead,
         FileRoute::kMapAhead},
        {"a later AMD family",
         {CpuVendor::kAmd, 0x1a, 0x02},
         false,
         FileRoute::kReadAhead,
         FileRoute::kMapAhead},
        {"unknown", {CpuVendor::kOther, 6, 0x0f}, false, FileRoute::kMap, FileRoute::kMap},
    };
    for (const auto& c : cases) {
        const ProcessorTuning tuning = TuningFor(c.kind);
        EXPECT_EQ(tuning.vectorMdSteps, c.vectorMdSteps) << c.name;
        EXPECT_EQ(tuning.largeFileRoute, c.largeFileRoute) << c.name;
        EXPECT_EQ(tuning.readBoundRoute, c.readBoundRoute) << c.name;
    }
}

TEST_F(DigestPaths, MdStepsRunInVectorRegistersOnlyWhereThatWasMeasuredFaster) {
    UseFastestDigestPaths();
    const bool vector = Supports(DigestPath::kAvx512) && ThisProcessorTuning().vectorMdSteps;
    for (const KernelPath& kernel : ActiveKernelPaths()) {
        if (kernel.family != "MD4" && kernel.family != "MD5") continue;
        EXPECT_EQ(kernel.path == DigestPath::kAvx512, vector) << kernel.family;
    }
}

TEST_F(DigestPaths, APathLeftOutIsChosenForNoEngine) {
    EXPECT_FALSE(UseFastestDigestPathsWithout(DigestPath::kPortable));
    for (DigestPath path : SupportedDigestPaths()) {
        if (path == DigestPath::kPortable) continue;
        ASSERT_TRUE(UseFastestDigestPathsWithout(path));
        for (const KernelPath& kernel : ActiveKernelPaths()) {
            EXPECT_NE(kernel.path, path) << kernel.family;
        }
    }
}

TEST_F(DigestPaths, ForcingFollowsTheChosenPathUntilReleased) {
    // The fastest paths give the same digests as the forced ones; releasing the force must not
    // leave an engine without a kernel.
    const Bytes message(777, 0x5a);
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        ASSERT_TRUE(ForceDigestPath(DigestPath::kPortable));
        const std::string portable = OneShotHex(algorithm, message);
        UseFastestDigestPaths();
        EXPECT_EQ(OneShotHex(algorithm, message), portable) << algorithm.name;
    }
}

}  // namespace
}  // namespace tessik
