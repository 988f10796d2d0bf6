#include "platform/text_conversion.h"

#include <gtest/gtest.h>

#include "digest/hex.h"

namespace tessik {
namespace {

TEST(TextConversion, StopsAtTheFirstNulLikeACString) {
    EXPECT_EQ(ToUtf8(std::u16string(u"ab\0cd", 5)), "ab");
    EXPECT_EQ(FromUtf8(std::string("ab\0cd", 5)), u"ab");
    EXPECT_EQ(ToUtf8(u""), "");
    EXPECT_EQ(FromUtf8(""), u"");
}

TEST(TextConversion, LineBreaksAndAccentsBecomeTheirUtf8Bytes) {
    EXPECT_EQ(ToUtf8(u"\u00e9"), "\xC3\xA9");
    EXPECT_EQ(ToUtf8(u"a\r\nb"), "a\r\nb");
    EXPECT_EQ(FromUtf8("\xC3\xA9\xFF"), u"\u00e9\uFFFD");
}

TEST(Hex, RendersTwoLowerCaseDigitsPerByteAndUpperCasesAsciiOnly) {
    const std::uint8_t bytes[] = {0x00, 0x0f, 0xa5, 0xff};
    EXPECT_EQ(HexDigest(bytes, 4), "000fa5ff");
    EXPECT_EQ(HexDigest(bytes, 0), "");
    EXPECT_EQ(AsciiUpper("09af-z\xC3\xA9"), "09AF-Z\xC3\xA9");
}

}  // namespace
}  // namespace tessik
