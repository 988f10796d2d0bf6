#include "platform/utf8_codec.h"

#include <gtest/gtest.h>
#include <random>

#include "platform/path_encoding.h"

namespace tessik {
namespace {

struct TextCase {
    const char* label;
    std::u16string text;
    std::string replaced;  // EncodeUtf8 with kReplace
};

TEST(Utf8Codec, EncodesTextAndReplacesLoneSurrogates) {
    const TextCase cases[] = {
        {"ascii", u"abc", "abc"},
        {"two bytes", u"\u00e9", "\xC3\xA9"},
        {"three bytes", u"\u20ac", "\xE2\x82\xAC"},
        {"pair", u"\U0001F600", "\xF0\x9F\x98\x80"},
        {"lone high", std::u16string(1, char16_t(0xD83D)) + u"x", "\xEF\xBF\xBDx"},
        {"lone low", std::u16string(1, char16_t(0xDE00)), "\xEF\xBF\xBD"},
        {"reversed pair", {char16_t(0xDE00), char16_t(0xD83D)}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeUtf8(c.text, LoneSurrogate::kReplace), c.replaced) << c.label;
    }
}

TEST(Utf8Codec, DecodesEachIllFormedSubpartAsOneReplacement) {
    const struct {
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"\xC3\xA9", u"\u00e9"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\xC0\xAF", u"\uFFFD\uFFFD"},          // overlong lead is never valid
        {"\xE2\x82", u"\uFFFD"},                 // truncated three-byte sequence
        {"\xE2\x82" "A", u"\uFFFDA"},
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
        {"\x80", u"\uFFFD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeUtf8(c.bytes, InvalidUtf8::kReplace), c.text) << c.bytes;
    }
}

TEST(PathEncoding, EveryByteStringRoundTrips) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(1, 255), length(0, 40);
    for (int round = 0; round < 20000; ++round) {
        std::string bytes(static_cast<std::size_t>(length(random)), '\0');
        for (char& b : bytes) b = static_cast<char>(byte(random));
        ASSERT_EQ(ToNativePath(FromNativePath(bytes)), bytes);
    }
}

TEST(PathEncoding, UndecodableBytesBecomeLoneSurrogates) {
    EXPECT_EQ(FromNativePath("a\xFF" "b"), (std::u16string{u'a', char16_t(0xDCFF), u'b'}));
    EXPECT_EQ(FromNativePath("\xC3\xA9"), u"\u00e9");
    EXPECT_EQ(ToNativePath(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace tessik
