#include "lists/clear_signed_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tessik {
namespace {

const std::string kHeader = "-----BEGIN PGP SIGNED MESSAGE-----\nHash: SHA256\n\n";
const std::string kSignature =
    "-----BEGIN PGP SIGNATURE-----\n\niHUEARYIAB0WIQ\n"
    "-----END PGP SIGNATURE-----\n";

// All the text, read in pieces of the given size.
std::string TextOf(const std::string& clearSigned, std::size_t piece) {
    ListBytes text = SignedTextOf(BytesOf(clearSigned));
    std::string read(piece, '\0');
    std::string all;
    for (std::int64_t got; (got = text(read.data(), piece)) > 0;)
        all.append(read, 0, static_cast<std::size_t>(got));
    return all;
}

TEST(ClearSignedText, IsTheTextBetweenTheArmorsHeadersAndItsSignature) {
    const std::string longLine(200, 'x');
    const struct {
        const char* what;
        std::string clearSigned;
        std::string text;
    } cases[] = {
        {"plain", kHeader + "a\nb\n" + kSignature, "a\nb\n"},
        {"text around it", "in front\n" + kHeader + "a\n" + kSignature + "after\n", "a\n"},
        {"dash-escaped lines", kHeader + "- -a\n- - b\n-c\n" + kSignature, "-a\n- b\n-c\n"},
        {"an escaped armor line", kHeader + "- " + kSignature, kSignature},
        {"CR LF and trailing blanks",
         "-----BEGIN PGP SIGNED MESSAGE----- \r\nHash: SHA256\r\n \r\na\r\n" + kSignature, "a\r\n"},
        {"long lines", kHeader + longLine + "\n- " + longLine + "\n" + kSignature,
         longLine + "\n" + longLine + "\n"},
        {"the header inside a line", "x" + kHeader + "a\n" + kSignature, ""},
        {"cut off", kHeader + "a\nb", "a\nb\n"},
        {"no armor", "a\nb\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TextOf(c.clearSigned, 1), c.text);
        EXPECT_EQ(TextOf(c.clearSigned, 4096), c.text);
        EXPECT_EQ(HoldsClearSignedText(c.clearSigned), !c.text.empty());
    }
}

}  // namespace
}  // namespace tessik
