// tessik-sum beside the standard tools, run for real on the same files: the same bytes for the
// same files, and each side checks the other's lists. Names with blanks, backslashes, line feeds
// and carriage returns are among the files, since those are what the escaping rules are for.

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdio>
#include <string>
#include <utility>

#include "support/temporary_folder.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

struct Ran {
    int status;
    std::string output;
};

// The command through the shell in the folder, the C locale ordering the names of a glob.
Ran Shell(const std::string& folder, const std::string& command) {
#ifdef _WIN32
    static_cast<void>(folder), static_cast<void>(command);
    return {-1, {}};
#else
    const std::string line = "cd '" + folder + "' && LC_ALL=C " + command + " 2>/dev/null";
    std::FILE* pipe = ::popen(line.c_str(), "r");
    if (pipe == nullptr) return {-1, {}};
    std::string output;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
#endif
}

bool Installed(const std::string& tool) {
    return Shell("/", "command -v " + tool + " >/dev/null").status == 0;
}

const std::string kSum = TESSIK_SUM_PROGRAM;

class Compatibility : public ::testing::Test {
  protected:
    // The files have a folder of their own, the lists are kept beside it.
    void SetUp() override {
        SKIP_ON_WINDOWS("the standard tools run beside the program in a POSIX shell");
        test::MakeFolder(temp_.Native("files"));
        for (const char* name :
             {"plain", "with blank", "back\\slash", "line\nfeed", "cr\rx", "p) = q", "*star"}) {
            test::WriteBytes(temp_.Native("files/") + name, std::string("content of ") + name);
        }
        test::WriteBytes(temp_.Native("files/empty"), "");
    }
    Ran In(const std::string& command) { return Shell(temp_.Native("files"), command); }
    test::TemporaryFolder temp_;
};

TEST_F(Compatibility, CoreutilsWriteAndCheckTheSameLines) {
    const struct {
        const char* tool;
        const char* id;
        const char* extension;
    } tools[] = {{"md5sum", "md5", "md5"},
                 {"sha1sum", "sha1", "sha1"},
                 {"sha256sum", "sha2-256", "sha256"},
                 {"sha512sum", "sha2-512", "sha512"}};
    for (const auto& t : tools) {
        SCOPED_TRACE(t.tool);
        if (!Installed(t.tool)) GTEST_SKIP() << t.tool << " is not installed";
        const std::string ours = kSum + " -a " + t.id;
        const std::string theirs = t.tool;
        for (const char* mode : {"", " --tag", " -b", " -z"}) {
            SCOPED_TRACE(mode);
            const Ran written = In(ours + mode + " *");
            EXPECT_EQ(written.status, 0);
            EXPECT_EQ(written.output, In(theirs + mode + " *").output);
        }
        const std::string list = std::string("../theirs.") + t.extension;
        for (const char* mode : {"", " --tag", " -b"}) {
            SCOPED_TRACE(mode);
            // Their list checked by us, the algorithm told by the list's name or tag alone.
            In(theirs + mode + " * > " + list);
            const Ran ourCheck = In(kSum + " -c " + list);
            EXPECT_EQ(ourCheck.status, 0);
            EXPECT_EQ(ourCheck.output, In(theirs + " -c " + list).output);
            // Ours checked by them.
            In(ours + mode + " * > ../ours.list");
            EXPECT_EQ(In(theirs + " -c ../ours.list").status, 0);
        }
        // A mismatch fails on both sides.
        In(theirs + " plain empty > " + list + " && echo changed >> plain");
        EXPECT_EQ(In(kSum + " -c " + list).output, In(theirs + " -c " + list).output);
        EXPECT_EQ(In(kSum + " -c " + list).status, 1);
        In("printf 'content of plain' > plain");
    }
}

// Names that cannot be read are named on standard error as sha256sum names them, quoted where a
// blank, a quote, a shell character or a byte that prints nothing would mislead; what -c prints
// on standard output stays the same bytes.
TEST_F(Compatibility, NamesOnStandardErrorAreQuotedAsSha256sumQuotesThem) {
    if (!Installed("sha256sum")) GTEST_SKIP() << "sha256sum is not installed";
    const char* names[] = {
        "plain",
        "two words",
        "it's",
        "it's x",
        "it's*x",
        "#a",
        "a#b",
        "~a",
        "a~b",
        "{",
        "a{b",
        "a:b",
        "a=b",
        "a$b",
        "a`b",
        "a!b",
        "a\"b",
        "\\",
        "'a'",
        "-x",
        "a\x1b[0mb",
        "\x1b",
        "\x1b'x",
        "a'\033b",
        "tab\tx",
        "cr\rx",
        "del\x7f",
        "bad\xff",
        "cut\xc3",
        "c1\xc2\x85",
        "ls\xe2\x80\xa8",
        "caf\xc3\xa9",
        "\xf0\x9f\x98\x80",
        "a\nb",
    };
    std::string list;
    for (const std::string name : names) {
        const bool escaped = name.find_first_of("\\\n") != std::string::npos;
        std::string written;
        for (const char c : name) {
            written += c == '\n' ? "\\n" : c == '\\' ? "\\\\" : std::string(1, c);
        }
        list += std::string(escaped ? "\\" : "") + std::string(64, '0') + "  " + written + "\n";
    }
    test::WriteBytes(temp_.Native("missing.list"), list);
    // In a UTF-8 locale, where the standard tool prints what UTF-8 can show.
    const auto errors = [this](const std::string& program) {
        return In("env LC_ALL=C.UTF-8 sh -c '" + program + " -c ../missing.list 2>&1 >/dev/null'");
    };
    const Ran ours = errors(kSum);
    std::string expected = errors("sha256sum").output;
    for (std::size_t at; (at = expected.find("sha256sum: ")) != std::string::npos;) {
        expected.replace(at, 9, "tessik-sum");
    }
    EXPECT_EQ(ours.status, 1);
    EXPECT_EQ(ours.output, expected);
    EXPECT_EQ(In(kSum + " -c ../missing.list").output, In("sha256sum -c ../missing.list").output);
}

// BSD lines of the algorithms the standard tools lack; rhash escapes nothing, so only names it
// can write take part.
TEST_F(Compatibility, RhashReadsAndWritesTaggedLines) {
    if (!Installed("rhash")) GTEST_SKIP() << "rhash is not installed";
    const std::string files = " plain 'with blank' 'p) = q' empty";
    for (const char* id : {"md5", "sha1", "sha224", "sha256", "sha384", "sha512", "sha3-224",
                           "sha3-256", "sha3-384", "sha3-512"}) {
        SCOPED_TRACE(id);
        In(std::string("rhash --bsd --") + id + files + " > ../theirs.list");
        const Ran ourCheck = In(kSum + " -c ../theirs.list");
        EXPECT_EQ(ourCheck.status, 0);
        EXPECT_EQ(ourCheck.output, "plain: OK\nwith blank: OK\np) = q: OK\nempty: OK\n");
        In(kSum + " --tag -a " + id + files + " > ../ours.list");
        EXPECT_EQ(In("rhash -c ../ours.list").status, 0);
    }
}

// xxhsum writes and checks the xxHash lists: the same bytes for the same files (XXH3 tagged even
// without --tag, names never escaped), and each side checks the other's lists, named for their
// algorithm since xxhsum's untagged lines do not say it.
TEST_F(Compatibility, XxhsumWritesAndChecksTheSameLines) {
    if (!Installed("xxhsum")) GTEST_SKIP() << "xxhsum is not installed";
    const std::string files = " plain 'with blank' 'back\\slash' 'p) = q' '*star' empty";
    for (const auto& [id, option] : {std::pair{"xxh32", "-H0"}, std::pair{"xxh64", "-H1"},
                                     std::pair{"xxh128", "-H2"}, std::pair{"xxh3", "-H3"}}) {
        SCOPED_TRACE(id);
        const std::string ours = kSum + " -a " + id;
        const std::string theirs = std::string("xxhsum ") + option;
        const std::string list = std::string("../theirs.") + id;
        for (const char* mode : {"", " --tag"}) {
            SCOPED_TRACE(mode);
            EXPECT_EQ(In(ours + mode + files).output, In(theirs + mode + files).output);
            In(theirs + mode + files + " > " + list);
            const Ran ourCheck = In(kSum + " -c " + list);
            EXPECT_EQ(ourCheck.status, 0);
            EXPECT_EQ(ourCheck.output, In("xxhsum -c " + list).output);
            In(ours + mode + files + " > ../ours.list");
            EXPECT_EQ(In("xxhsum -c ../ours.list").status, 0);
        }
    }
}

// b3sum escapes names as the standard tools do, but reads no binary marker and no tags.
TEST_F(Compatibility, B3sumWritesAndChecksTheSameLines) {
    if (!Installed("b3sum")) GTEST_SKIP() << "b3sum is not installed";
    const Ran written = In(kSum + " -a blake3 *");
    EXPECT_EQ(written.status, 0);
    EXPECT_EQ(written.output, In("b3sum *").output);
    In("b3sum * > ../theirs.b3");
    const Ran ourCheck = In(kSum + " -c ../theirs.b3");
    EXPECT_EQ(ourCheck.status, 0);
    EXPECT_EQ(ourCheck.output, In(kSum + " -a blake3 -c ../theirs.b3").output);
    In(kSum + " -a blake3 * > ../ours.b3");
    EXPECT_EQ(In("b3sum -c ../ours.b3").status, 0);
}

// SFV lists and BSD lines of the checksums, as rhash writes and checks them; rhash escapes
// nothing, takes a backslash for a folder separator and a leading '*' for a binary marker, so
// only names it can read take part.
TEST_F(Compatibility, RhashWritesAndChecksSfvListsAndTaggedChecksums) {
    if (!Installed("rhash")) GTEST_SKIP() << "rhash is not installed";
    const std::string files = " plain 'with blank' 'p) = q' empty";
    const std::string allOk = "plain: OK\nwith blank: OK\np) = q: OK\nempty: OK\n";
    for (const char* id : {"crc32", "crc32c"}) {
        SCOPED_TRACE(id);
        In(std::string("rhash --sfv --") + id + files + " > ../theirs.sfv");
        const Ran ourCheck = In(kSum + " -a " + id + " -c ../theirs.sfv");
        EXPECT_EQ(ourCheck.status, 0);
        EXPECT_EQ(ourCheck.output, allOk);
        In(kSum + " --sfv -a " + id + files + " > ../ours.sfv");
        EXPECT_EQ(In(std::string("rhash --") + id + " -c ../ours.sfv").status, 0);
    }
    // A list of CRC-32s needs no -a: the name or the lines say it.
    In("rhash --sfv --crc32" + files + " > ../theirs.txt");
    EXPECT_EQ(In(kSum + " -c ../theirs.txt").output, allOk);
    for (const char* id : {"crc32", "crc32c", "blake2b", "blake2s"}) {
        SCOPED_TRACE(id);
        In(std::string("rhash --bsd --") + id + files + " > ../theirs.list");
        const Ran ourCheck = In(kSum + " -c ../theirs.list");
        EXPECT_EQ(ourCheck.status, 0);
        EXPECT_EQ(ourCheck.output, allOk);
        In(kSum + " --tag -a " + id + files + " > ../ours.list");
        EXPECT_EQ(In("rhash -c ../ours.list").status, 0);
    }
}

// OpenSSL's lines, "TAG(name)= digest" with tags of its own, checked by us; it checks no lists,
// so ours of the algorithms it adds are checked by the standard tools that read their tags.
TEST_F(Compatibility, OpensslLinesAreCheckedAndOurTagsReadByTheStandardTools) {
    if (!Installed("openssl")) GTEST_SKIP() << "openssl is not installed";
    const std::string files = " plain 'with blank' 'p) = q' '*star' empty";
    for (const char* digest : {"md5", "sha1", "sha256", "sha3-512", "blake2b512", "blake2s256",
                               "sha512-224", "sha512-256"}) {
        SCOPED_TRACE(digest);
        In(std::string("openssl dgst -") + digest + files + " > ../theirs.list");
        const Ran ourCheck = In(kSum + " -c ../theirs.list");
        EXPECT_EQ(ourCheck.status, 0);
        EXPECT_EQ(ourCheck.output, "plain: OK\nwith blank: OK\np) = q: OK\n*star: OK\nempty: OK\n");
    }
    const struct {
        const char* id;
        const char* checker;
    } checked[] = {{"sha2-512-224", "shasum -a 512224"},
                   {"sha2-512-256", "shasum -a 512256"},
                   {"blake2b-512", "cksum"}};
    for (const auto& c : checked) {
        SCOPED_TRACE(c.id);
        if (!Installed(std::string(c.checker).substr(0, std::string(c.checker).find(' ')))) {
            continue;
        }
        In(kSum + " --tag -a " + c.id + files + " > ../ours.list");
        EXPECT_EQ(In(std::string(c.checker) + " -c ../ours.list").status, 0);
    }
}

}  // namespace
}  // namespace tessik
