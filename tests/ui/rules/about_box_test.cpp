#include "ui/rules/about_box.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace tessik {
namespace {

TEST(AboutBoxTest, ThePictureGrowsOnlyAbove96DotsPerInch) {
    struct Case {
        PictureSize size;
        int dpi;
        PictureSize scaled;
    };
    for (const Case& c : {
             Case{{160, 92}, 96, {160, 92}},
             Case{{160, 92}, 72, {160, 92}},
             Case{{160, 92}, 144, {240, 138}},
             Case{{160, 92}, 120, {200, 115}},
             Case{{107, 61}, 144, {160, 91}},  // truncated in each direction
             Case{{160, 92}, 97, {160, 92}},   // the height would not change: nothing moves
             Case{{1, 1}, 144, {1, 1}},
             Case{{2, 10}, 144, {3, 15}},
             Case{{160, 92}, 192, {320, 184}},
         }) {
        EXPECT_EQ(ScaleForScreen(c.size, c.dpi), c.scaled)
            << c.size.width << "x" << c.size.height << " at " << c.dpi;
    }
}

// Our addresses stay under example.org.
bool IsOurAddress(std::u16string_view link) {
    for (std::u16string_view scheme : {u"https://", u"mailto:"}) {
        if (!link.starts_with(scheme)) continue;
        std::u16string_view rest = link.substr(scheme.size());
        rest = rest.substr(0, rest.find(u'/'));
        return rest.ends_with(u".example.org") || rest.ends_with(u"@example.org") ||
               rest == u"example.org";
    }
    return false;
}

TEST(AboutBoxTest, EveryCreditIsANameWithItsContactAndALinkOfOurs) {
    ASSERT_EQ(CreditRows().size(), 10u);
    int shown = 0;
    for (const CreditRow& row : CreditRows()) {
        const LinkText& credit = row.credit;
        // Rows come in whole: a credit and its link, or nothing at all.
        EXPECT_EQ(credit.link.empty(), credit.text.empty());
        if (credit.text.empty()) continue;
        ++shown;
        // "name (contact)", the link leading to the contact.
        const std::size_t open = credit.text.find(u" (");
        ASSERT_NE(open, std::u16string_view::npos);
        EXPECT_GT(open, 0u);
        ASSERT_TRUE(credit.text.ends_with(u")"));
        const std::u16string contact(credit.text.substr(open + 2, credit.text.size() - open - 3));
        EXPECT_TRUE(credit.link == contact || credit.link == u"mailto:" + contact)
            << std::string(contact.begin(), contact.end());
        EXPECT_TRUE(IsOurAddress(credit.link));
    }
    EXPECT_EQ(shown, 3);  // one row per shipped language
    EXPECT_TRUE(IsOurAddress(kWebSite.link));
    EXPECT_EQ(kWebSite.text, kWebSite.link);
    EXPECT_TRUE(IsOurAddress(kMailAddress.link));
    EXPECT_EQ(u"mailto:" + std::u16string(kMailAddress.text), kMailAddress.link);
}

TEST(AboutBoxTest, TheUpdatePageIsOursAndToldTheVersion) {
    EXPECT_TRUE(IsOurAddress(kUpdateAddress));
    EXPECT_TRUE(kUpdateAddress.ends_with(u"/pages/c_tessik.php?lang=ENG&progvers=1.690"));
    EXPECT_EQ(kUpdateAddress.find(u"/pages/"), kUpdateAddress.find(u'/', 8));
}

}  // namespace
}  // namespace tessik
