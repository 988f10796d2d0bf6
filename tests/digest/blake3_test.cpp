// BLAKE3 against its published answers (extended output included), every kernel against the
// portable one where the tree's shape changes (chunk and subtree boundaries up to 1 MiB, odd
// sizes, unaligned input, random pieces, chunk numbers whose low word carries), and against
// b3sum where it is installed.

#include "digest/blake3.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "blake3_vectors.h"
#include "digest/digest_kernels.h"
#include "digest/digest_paths.h"
#include "digest/hex.h"
#include "engine_test_support.h"
#include "every_path.h"
#include "support/temporary_folder.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

using testing::Bytes;
using testing::ExpectEveryPathAgrees;
using testing::RandomBytes;

Bytes Pattern(std::size_t length) {
    Bytes bytes(length);
    for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>(i % 251);
    return bytes;
}

std::string Hex(const Bytes& bytes) {
    return HexDigest(bytes.data(), bytes.size());
}

// The engine fed `pieces` (the whole message at once when empty), with `outputBytes` of output.
std::string Blake3Hex(const std::uint8_t* data, std::size_t length,
                      const std::vector<std::size_t>& pieces = {},
                      std::size_t outputBytes = kBlake3DigestBytes) {
    Blake3Engine engine;
    if (pieces.empty()) {
        engine.Update(data, length);
    } else {
        std::size_t at = 0;
        for (std::size_t piece : pieces) {
            engine.Update(data + at, piece);
            at += piece;
        }
    }
    Bytes output(outputBytes);
    engine.FinishExtended(output.data(), output.size());
    return Hex(output);
}

class Blake3 : public ::testing::Test {
  protected:
    void TearDown() override { UseFastestDigestPaths(); }
};

TEST_F(Blake3, GivesThePublishedAnswersOnEveryPath) {
    for (DigestPath path : SupportedDigestPaths()) {
        ASSERT_TRUE(ForceDigestPath(path));
        for (const testing::Blake3Vector& vector : testing::kBlake3Vectors) {
            const Bytes input = Pattern(vector.length);
            const std::string what = std::to_string(vector.length) + " bytes on the " +
                                     std::string(DigestPathName(path)) + " path";
            const std::string expected = vector.output;
            EXPECT_EQ(Blake3Hex(input.data(), input.size(), {}, expected.size() / 2), expected)
                << what;
            EXPECT_EQ(testing::OneShotHex(testing::AlgorithmNamed("BLAKE3"), input),
                      expected.substr(0, 2 * kBlake3DigestBytes))
                << what;
            // A byte at a time keeps every block and chunk in the engine's own buffer.
            EXPECT_EQ(
                Blake3Hex(input.data(), input.size(), std::vector<std::size_t>(input.size(), 1)),
                expected.substr(0, 2 * kBlake3DigestBytes))
                << what << ", a byte at a time";
        }
    }
}

// Lengths where the tree changes shape, on every side of a chunk, of the kernels' widths and
// of the subtrees an update hashes whole, up to 1 MiB; each from an unaligned start.
TEST_F(Blake3, EveryPathAgreesAcrossChunkAndSubtreeBoundaries) {
    std::vector<std::size_t> lengths;
    for (std::size_t length = 0; length <= 2 * 1024 + 70; ++length) lengths.push_back(length);
    for (std::size_t chunks : {3,  4,  5,   7,   8,   9,   15,  16,  17,  31,  32,  33,   63,
                               64, 65, 127, 128, 129, 255, 256, 257, 511, 512, 513, 1023, 1024}) {
        for (std::size_t delta : {-1, 0, 1}) lengths.push_back(chunks * 1024 + delta);
    }
    std::mt19937_64 random(3);
    for (int i = 0; i < 12; ++i) lengths.push_back(1 + 2 * (random() % (1 << 19)));
    const Bytes source = RandomBytes(random, (1 << 20) + 1 + 15);
    for (std::size_t length : lengths) {
        const std::size_t offset = 1 + length % 15;
        ExpectEveryPathAgrees(std::to_string(length) + " bytes",
                              [&] { return Blake3Hex(source.data() + offset, length); });
    }
}

TEST_F(Blake3, EveryPathAgreesOnMessagesInRandomPieces) {
    std::mt19937_64 random(4);
    for (int round = 0; round < 8; ++round) {
        const Bytes message = RandomBytes(random, random() % (1 << 20));
        const std::vector<std::size_t> pieces = testing::RandomPieces(random, message.size());
        ExpectEveryPathAgrees("round " + std::to_string(round), [&] {
            return Blake3Hex(message.data(), message.size(), pieces, 100);
        });
    }
}

// The kernels themselves on any count of inputs, both kinds, from chunk numbers whose low word
// overflows inside a group of lanes.
TEST_F(Blake3, KernelsAgreeOnAnyCountFromAnyChunkNumber) {
    std::mt19937_64 random(5);
    const Bytes inputs = RandomBytes(random, 40 * 1024);
    for (std::uint64_t firstChunk :
         {std::uint64_t{0}, (std::uint64_t{1} << 32) - 5, (std::uint64_t{7} << 40) + 3}) {
        for (bool parents : {false, true}) {
            for (std::size_t count = 0; count <= 37; ++count) {
                ExpectEveryPathAgrees(std::to_string(count) + (parents ? " parents" : " chunks") +
                                          " from chunk " + std::to_string(firstChunk),
                                      [&] {
                                          Bytes cvs(32 * count + 1, 0xee);
                                          ActiveDigestKernels().blake3Many(inputs.data(), count,
                                                                           parents, firstChunk,
                                                                           cvs.data());
                                          return cvs;
                                      });
            }
        }
    }
}

// b3sum over files of many lengths, all in one run.
TEST(Blake3Differential, AgreesWithB3sum) {
#ifdef _WIN32
    SKIP_ON_WINDOWS("b3sum runs in a POSIX shell");
#else
    if (std::system("command -v b3sum > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "b3sum is not installed (scripts/install-packages.sh test)";
    }
    std::vector<std::size_t> lengths = {0,
                                        1,
                                        63,
                                        64,
                                        65,
                                        1023,
                                        1024,
                                        1025,
                                        2047,
                                        2048,
                                        2049,
                                        16 * 1024 - 1,
                                        16 * 1024 + 1,
                                        1 << 20,
                                        (1 << 20) + 1};
    std::mt19937_64 random(6);
    for (int i = 0; i < 40; ++i) lengths.push_back(random() % (3 << 20));
    const Bytes source = RandomBytes(random, 3 << 20);
    test::TemporaryFolder temp;
    std::string command = "b3sum --no-names";
    std::vector<std::string> ours;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        const std::string name = temp.Native("f" + std::to_string(i));
        test::WriteBytes(name, {reinterpret_cast<const char*>(source.data()), lengths[i]});
        command += " '" + name + "'";
        ours.push_back(Blake3Hex(source.data(), lengths[i]));
    }
    std::FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char line[128];
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        ASSERT_NE(std::fgets(line, sizeof line, pipe), nullptr) << "b3sum stopped at " << i;
        EXPECT_EQ(std::string(line).substr(0, 64), ours[i]) << lengths[i] << " bytes";
    }
    const int status = ::pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
#endif
}

}  // namespace
}  // namespace tessik
