#include "ui/rules/algorithm_match.h"

#include <gtest/gtest.h>

#include "digest/hex.h"
#include "lists/checksum_line.h"
#include "platform/text_conversion.h"
#include "support/known_digests.h"

namespace tessik {
namespace {

const std::u16string kMd5 = FromUtf8(test::kMd5OfAbc);
const std::u16string kSha1 = FromUtf8(test::kSha1OfAbc);

AlgorithmDigest Given(const char* id, const std::u16string& hex) {
    return {AlgorithmWithId(id), DigestFromHex(ToUtf8(hex))};
}

TEST(AlgorithmMatchTest, TheExpectedValueComesFromTheFieldElseTheClipboardWhenItIsADigest) {
    const struct {
        std::u16string field;
        std::u16string clipboard;
        std::u16string expected;
    } cases[] = {
        {kMd5, kSha1, kMd5},
        {u" " + kMd5 + u"\n", u"", u" " + kMd5 + u"\n"},
        {u"MD5 (abc) = " + kMd5, kSha1, u"MD5 (abc) = " + kMd5},
        {u"", kSha1, kSha1},
        {u"not a digest", u"/data/abc|" + kSha1, u"/data/abc|" + kSha1},
        {kMd5 + u"0", kSha1.substr(2), u""},  // lengths no algorithm has
        {u"", u"Dear reader", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StartingExpectedValue(c.field, c.clipboard, u"|"), c.expected)
            << ToUtf8(c.field) << " / " << ToUtf8(c.clipboard);
    }
}

TEST(AlgorithmMatchTest, EveryAlgorithmWhoseDigestIsTheExpectedOneIsNamed) {
    const std::u16string zero = u"00000000";
    const std::vector<AlgorithmDigest> digests = {Given("md4", kSha1.substr(0, 32)),
                                                  Given("md5", kMd5), Given("sha1", kSha1),
                                                  Given("djb", zero), Given("sdbm", zero)};
    const struct {
        std::u16string expected;
        std::vector<const char*> matching;
        std::u16string said;
    } cases[] = {
        {kMd5, {"md5"}, u"Made by: MD5"},
        {FromUtf8(AsciiUpper(test::kMd5OfAbc)), {"md5"}, u"Made by: MD5"},
        {u"SHA1 (abc) = " + kSha1, {"sha1"}, u"Made by: SHA-1"},
        {zero, {"djb", "sdbm"}, u"Made by: DJB, SDBM"},
        {std::u16string(40, u'f'), {}, u"None"},
        {u"", {}, u""},
        {u"abc", {}, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.expected));
        AlgorithmSet matching;
        for (const char* id : c.matching) matching.push_back(AlgorithmWithId(id));
        EXPECT_EQ(AlgorithmsMatching(c.expected, digests, u"|"), matching);
        EXPECT_EQ(MatchText(c.expected, digests, u"|", u"Made by: %1", u"None"), c.said);
    }
    // Before any digest, nothing is said.
    EXPECT_EQ(MatchText(kMd5, {}, u"|", u"Made by: %1", u"None"), u"");
}

// Copy's text: one line per row in the letter case shown, apart by the system's line break.
TEST(AlgorithmMatchTest, RowsAreCopiedAsNameTabDigestLines) {
    const std::vector<AlgorithmDigest> rows = {Given("md5", kMd5), Given("sha1", kSha1)};
    EXPECT_EQ(AlgorithmRowsText(rows, false, u"\r\n"),
              u"MD5\t" + FromUtf8(AsciiUpper(test::kMd5OfAbc)) + u"\r\nSHA-1\t" +
                  FromUtf8(AsciiUpper(ToUtf8(kSha1))));
    EXPECT_EQ(AlgorithmRowsText({}, true, u"\n"), u"");
}

}  // namespace
}  // namespace tessik
