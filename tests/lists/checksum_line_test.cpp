#include "lists/checksum_line.h"

#include <gtest/gtest.h>

#include <string>

#include "digest/hex.h"
#include "lists/checksum_writer.h"

namespace tessik {
namespace {

const std::string kMd5 = "d41d8cd98f00b204e9800998ecf8427e";  // of the empty message
const std::string kSha1 = "da39a3ee5e6b4b0d3255bfef95601890afd80709";

struct LineCase {
    const char* what;
    std::string line;
    LineKind kind;
    LineForm form = LineForm::kGnu;
    std::string name = {};
    std::string digest = {};
    const char* tag = nullptr;
    bool binary = false;
};

TEST(ChecksumLine, ReadsEachFormAndRejectsWhatIsNone) {
    const std::string big(200000, 'a');
    const LineCase cases[] = {
        {"GNU text mode", kMd5 + "  a b", LineKind::kEntry, LineForm::kGnu, "a b", kMd5},
        {"GNU binary mode", kMd5 + " *a", LineKind::kEntry, LineForm::kGnu, "a", kMd5, nullptr,
         true},
        {"one blank", kMd5 + " a", LineKind::kEntry, LineForm::kGnu, "a", kMd5},
        {"a tab", kMd5 + "\ta", LineKind::kEntry, LineForm::kGnu, "a", kMd5},
        {"upper-case digits", "D41D8CD98F00B204E9800998ECF8427E  a", LineKind::kEntry,
         LineForm::kGnu, "a", kMd5},
        {"leading blanks", "  " + kMd5 + "  a", LineKind::kEntry, LineForm::kGnu, "a", kMd5},
        {"name with leading blank", kMd5 + "   a", LineKind::kEntry, LineForm::kGnu, " a", kMd5},
        {"name like a BSD line's end", kMd5 + "  (a) = d400b209", LineKind::kEntry,
         LineForm::kGnu, "(a) = d400b209", kMd5},
        {"escaped name", "\\" + kMd5 + "  a\\\\b\\nc\\rd", LineKind::kEntry, LineForm::kGnu,
         "a\\b\nc\rd", kMd5},
        {"unknown escape", "\\" + kMd5 + "  a\\qb", LineKind::kMalformed},
        {"escape cut off", "\\" + kMd5 + "  a\\", LineKind::kMalformed},
        {"BSD", "MD5 (a b) = " + kMd5, LineKind::kEntry, LineForm::kBsd, "a b", kMd5, "md5"},
        {"BSD, padded tag", "SHA1  (x) = " + kSha1, LineKind::kEntry, LineForm::kBsd, "x", kSha1,
         "sha1"},
        {"BSD, name with ') = '", "MD5 (p) = q) = " + kMd5, LineKind::kEntry, LineForm::kBsd,
         "p) = q", kMd5, "md5"},
        {"BSD without blanks", "MD5(a)= " + kMd5, LineKind::kEntry, LineForm::kBsd, "a", kMd5,
         "md5"},
        {"BSD, escaped", "\\MD5 (a\\nb) = " + kMd5, LineKind::kEntry, LineForm::kBsd, "a\nb", kMd5,
         "md5"},
        {"BSD, unknown tag", "BLAKE3 (a) = " + kMd5, LineKind::kMalformed},
        {"BSD, digest of another size", "SHA1 (a) = " + kMd5, LineKind::kMalformed},
        {"separated", "/data/a b|" + kMd5, LineKind::kEntry, LineForm::kSeparated, "/data/a b",
         kMd5},
        {"separated, name ends in digits", "/data/cafe|" + kSha1, LineKind::kEntry,
         LineForm::kSeparated, "/data/cafe", kSha1},
        {"separated, unreadable file (no digest)", "/data/a|", LineKind::kMalformed},
        {"blank", "   ", LineKind::kSkipped},
        {"comment", "# made by hand", LineKind::kSkipped},
        {"no separator", kMd5, LineKind::kMalformed},
        {"no name", kMd5 + "  ", LineKind::kMalformed},
        {"odd digest length", kMd5 + "a  x", LineKind::kMalformed},
        {"no algorithm has that length", kMd5 + "aa  x", LineKind::kMalformed},
        {"not hexadecimal", "g41d8cd98f00b204e9800998ecf8427e  x", LineKind::kMalformed},
        {"NUL in the name", kMd5 + "  a" + std::string(1, '\0') + "b", LineKind::kMalformed},
        {"huge", big, LineKind::kMalformed},
        {"huge digest", big + "  x", LineKind::kMalformed},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.what);
        const ChecksumLine line = ParseChecksumLine(c.line, "|");
        ASSERT_EQ(line.kind, c.kind);
        if (c.kind != LineKind::kEntry) continue;
        EXPECT_EQ(line.form, c.form);
        EXPECT_EQ(line.name, c.name);
        EXPECT_EQ(HexDigest(line.digest), c.digest);
        EXPECT_EQ(line.tagged == nullptr ? nullptr : line.tagged->id.data(),
                  c.tag == nullptr ? nullptr : AlgorithmWithTag(c.tag)->id.data());
        EXPECT_EQ(line.binary, c.binary);
    }
}

TEST(ChecksumLine, SeparatedLinesNeedTheirSeparator) {
    EXPECT_EQ(ParseChecksumLine("/a;" + kMd5, "|").kind, LineKind::kMalformed);
    EXPECT_EQ(ParseChecksumLine("/a;" + kMd5, ";").name, "/a");
    EXPECT_EQ(ParseChecksumLine("/a -> " + kMd5, " -> ").name, "/a");
    EXPECT_EQ(ParseChecksumLine("/a|" + kMd5, "").kind, LineKind::kMalformed);
}

// The writer's lines, byte for byte as the standard tools write them, read back as written.
TEST(ChecksumLine, WrittenLinesReadBackAsTheyWere) {
    const Digest digest = DigestFromHex(kMd5);
    const struct {
        LineFormat format;
        std::string name;
        std::string expected;
    } cases[] = {
        {{}, "a b", kMd5 + "  a b\n"},
        {{LineStyle::kGnu, true}, "a", kMd5 + " *a\n"},
        {{LineStyle::kGnu, false, true}, "a", AsciiUpper(kMd5) + "  a\n"},
        {{}, "back\\slash", "\\" + kMd5 + "  back\\\\slash\n"},
        {{}, "new\nline\r", "\\" + kMd5 + "  new\\nline\\r\n"},
        {{LineStyle::kBsd}, "a\\b", "\\MD5 (a\\\\b) = " + kMd5 + "\n"},
        {{LineStyle::kBsd}, "p) = q", "MD5 (p) = q) = " + kMd5 + "\n"},
        {{LineStyle::kGnu, false, false, '\0'}, "new\nline", kMd5 + "  new\nline" + '\0'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        const std::string written = FormatChecksumLine(c.format, "MD5", digest, c.name);
        EXPECT_EQ(written, c.expected);
        if (c.format.end == '\0') continue;
        const ChecksumLine read = ParseChecksumLine(written.substr(0, written.size() - 1), "|");
        EXPECT_EQ(read.kind, LineKind::kEntry);
        EXPECT_EQ(read.name, c.name);
        EXPECT_EQ(read.digest, digest);
        EXPECT_EQ(read.binary, c.format.binary);
    }
}

TEST(ChecksumLine, ReportsEscapeOnlyNamesWithALineFeed) {
    EXPECT_EQ(NameForReport("back\\slash"), "back\\slash");
    EXPECT_EQ(NameForReport("cr\rx"), "cr\rx");
    EXPECT_EQ(NameForReport("b\\s\nn"), "\\b\\\\s\\nn");
}

}  // namespace
}  // namespace tessik
