// The new algorithms against the tools users compare with, run for real on files of many
// lengths: the lengths around each engine's blocks and buffers and around the reader's pieces,
// each file digested through the file route and, from its bytes, in random pieces. A tool that
// is not installed skips its part (scripts/install-packages.sh test installs them all).

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "digest/file_digest.h"
#include "digest/file_stream.h"
#include "digest/hex.h"
#include "engine_test_support.h"
#include "support/temporary_folder.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

using testing::AlgorithmNamed;
using testing::Bytes;

// The command's standard output, or nothing if it failed.
std::string OutputOf(const std::string& command) {
#ifdef _WIN32
    static_cast<void>(command);
    return {};
#else
    std::FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return {};
    std::string output;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    const int status = ::pclose(pipe);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? output : std::string();
#endif
}

bool Installed(const std::string& tool) {
    return ::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// The digest of a tool's line, lower case: after the last " = " of a tagged line, else its
// first word.
std::string DigestOfLine(std::string_view line) {
    if (const std::size_t equals = line.rfind(" = "); equals != std::string_view::npos) {
        line.remove_prefix(equals + 3);
    }
    std::string digest(line.substr(0, line.find_first_of(" \n")));
    for (char& c : digest) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return digest;
}

struct PeerCase {
    std::string_view algorithm;  // the list text of our row
    std::string_view command;    // prints a line per file named after it, in their order
};

std::vector<std::size_t> Lengths(std::mt19937_64& random) {
    std::vector<std::size_t> lengths = {0,
                                        1,
                                        3,
                                        4,
                                        8,
                                        16,
                                        17,
                                        63,
                                        64,
                                        65,
                                        127,
                                        128,
                                        129,
                                        240,
                                        241,
                                        255,
                                        256,
                                        257,
                                        1023,
                                        1024,
                                        1025,
                                        4095,
                                        4096,
                                        4097,
                                        kFilePieceBytes - 1,
                                        kFilePieceBytes,
                                        kFilePieceBytes + 1};
    lengths.push_back(random() % (3 * kFilePieceBytes));
    return lengths;
}

// Each tool runs once over every file.
void ExpectAgreement(const std::string& tool, const std::vector<PeerCase>& cases) {
    SKIP_ON_WINDOWS("the peer tools are Linux programs, run through a POSIX shell");
    if (!Installed(tool)) GTEST_SKIP() << tool << " is not installed";
    test::TemporaryFolder temp;
    std::mt19937_64 random(4711);
    std::vector<Bytes> messages;
    std::string paths;
    for (std::size_t length : Lengths(random)) {
        messages.push_back(testing::RandomBytes(random, length));
        const std::string name = "data" + std::to_string(messages.size());
        test::WriteBytes(temp.Native(name),
                         std::string(messages.back().begin(), messages.back().end()));
        paths += " '" + temp.Native(name) + "'";
    }
    for (const PeerCase& c : cases) {
        const AlgorithmInfo& algorithm = AlgorithmNamed(c.algorithm);
        std::istringstream lines(OutputOf(std::string(c.command) + paths));
        for (std::size_t i = 0; i < messages.size(); ++i) {
            const Bytes& message = messages[i];
            SCOPED_TRACE(std::string(c.algorithm) + ", " + std::to_string(message.size()) +
                         " bytes");
            std::string line;
            ASSERT_TRUE(std::getline(lines, line)) << c.command << " gave no digest";
            const std::string expected = DigestOfLine(line);
            const auto engine = algorithm.makeEngine();
            const FileDigestResult file =
                DigestFile(*engine, temp.U16("data" + std::to_string(i + 1)));
            ASSERT_EQ(file.outcome, FileDigestOutcome::kDigest);
            EXPECT_EQ(HexDigest(file.digest), expected) << "from the file";
            EXPECT_EQ(testing::PiecewiseHex(algorithm, message,
                                            testing::RandomPieces(random, message.size())),
                      expected)
                << "in random pieces";
        }
    }
}

TEST(PeerTools, RhashGivesTheSameCrcsAndBlake2) {
    ExpectAgreement("rhash", {{"CRC-32", "rhash --printf='%{crc32}\\n'"},
                              {"CRC-32C", "rhash --printf='%{crc32c}\\n'"},
                              {"BLAKE2b(512)", "rhash --printf='%{blake2b}\\n'"},
                              {"BLAKE2s(256)", "rhash --printf='%{blake2s}\\n'"}});
}

TEST(PeerTools, PythonsZlibGivesTheSameCrc32) {
    ExpectAgreement("python3", {{"CRC-32",
                                 "python3 -c 'import sys, zlib\n"
                                 "for name in sys.argv[1:]:\n"
                                 "    print(\"%08x\" % zlib.crc32(open(name, "
                                 "\"rb\").read()))'"}});
}

TEST(PeerTools, XxhsumGivesTheSameXxhashes) {
    ExpectAgreement("xxhsum", {{"XXH32", "xxhsum -H0"},
                               {"XXH64", "xxhsum -H1"},
                               {"XXH3-128", "xxhsum -H2"},
                               {"XXH3-64", "xxhsum -H3"}});
}

TEST(PeerTools, OpensslGivesTheSameBlake2AndSha512t) {
    ExpectAgreement("openssl", {{"BLAKE2b(512)", "openssl dgst -r -blake2b512"},
                                {"BLAKE2s(256)", "openssl dgst -r -blake2s256"},
                                {"SHA-2(512/224)", "openssl dgst -r -sha512-224"},
                                {"SHA-2(512/256)", "openssl dgst -r -sha512-256"}});
}

}  // namespace
}  // namespace tessik
