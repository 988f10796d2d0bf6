#include "digest/digest_match.h"

#include <gtest/gtest.h>

namespace tessik {
namespace {

TEST(DigestMatch, FoldsOnlyAsciiLettersWhenNotCaseSensitive) {
    struct Case {
        std::u16string result;
        std::u16string expected;
        bool matchIgnoringCase;
        bool matchExactly;
    };
    for (const Case& c : {
             Case{u"ABC123", u"abc123", true, false}, Case{u"abc123", u"abc123", true, true},
             Case{u"abc", u"abc ", false, false}, Case{u"abc", u" abc", false, false},
             Case{u"abc\r\n", u"abc", false, false},
             Case{u"\u00C9", u"\u00E9", false, false},  // É and é: only A-Z fold
             Case{u"\u00C9", u"\u00C9", true, true}, Case{u"", u"", true, true},
             Case{u"", u"x", false, false},
             Case{u"[\\]", u"{|}", false, false},  // the units beside the letters do not fold
         }) {
        EXPECT_EQ(DigestsMatch(c.result, c.expected, false), c.matchIgnoringCase);
        EXPECT_EQ(DigestsMatch(c.result, c.expected, true), c.matchExactly);
    }
}

}  // namespace
}  // namespace tessik
