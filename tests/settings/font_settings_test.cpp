#include "settings/font_settings.h"

#include <gtest/gtest.h>

#include "fake_font_host.h"

namespace tessik {
namespace {

using test::FakeFontHost;
using test::MakeFont;

const FontDescription kSystem = MakeFont(u"Message Sans", -12, 400, 0, 34);
const FontDescription kOwn = MakeFont(u"Dialog Serif", -11, 700, 2, 18);

TEST(FontSettings, FaceNamesAreCutToThirtyOneUnitsKeepingSurrogatePairs) {
    const std::u16string pair = u"\U0001F600";
    const struct {
        std::u16string in;
        std::u16string out;
    } cases[] = {
        {u"", u""},
        {std::u16string(31, u'a'), std::u16string(31, u'a')},
        {std::u16string(32, u'a'), std::u16string(31, u'a')},
        {std::u16string(29, u'a') + pair, std::u16string(29, u'a') + pair},
        {std::u16string(30, u'a') + pair, std::u16string(30, u'a')},
        {std::u16string(29, u'a') + pair + u"b", std::u16string(29, u'a') + pair},
    };
    for (const auto& c : cases) EXPECT_EQ(LimitFaceName(c.in), c.out);
}

TEST(FontSettings, ResetBuildsTheChosenFontFromTheFlags) {
    const struct {
        const char* name;
        bool buildIn;
        bool useHeight;
        FontDescription chosen;
    } cases[] = {
        // Face, character set and pitch from the system font; the rest from the window.
        {"system typeface", false, false, MakeFont(u"Message Sans", -11, 700, 0, 34)},
        {"system typeface and height", false, true, MakeFont(u"Message Sans", -12, 700, 0, 34)},
        {"window font", true, false, kOwn},
        {"window font ignores height flag", true, true, kOwn},
    };
    for (const auto& c : cases) {
        FakeFontHost owner(kSystem, kOwn, nullptr);
        FontSettings fonts(owner);
        fonts.setUseBuildInFont(c.buildIn);
        fonts.setUseFontHeight(c.useHeight);
        fonts.reset();
        FontDescription chosen;
        fonts.copyChosenFontTo(chosen);
        EXPECT_EQ(chosen, c.chosen) << c.name;
        EXPECT_EQ(fonts.dialogFont(), kOwn) << c.name;
        EXPECT_EQ(fonts.systemFont(), kSystem) << c.name;
    }
}

TEST(FontSettings, ApplyKeepsTheWindowsOwnFieldsAndHeightUnlessAsked) {
    FakeFontHost owner(kSystem, kOwn, nullptr);
    FontSettings fonts(owner);
    EXPECT_TRUE(fonts.useFontSettings());
    EXPECT_FALSE(fonts.useBuildInFont());
    EXPECT_FALSE(fonts.useFontHeight());
    fonts.setUseFontHeight(true);
    fonts.setHeight(-20);

    const FontDescription about = MakeFont(u"Other", -9, 300, 1, 1);
    const struct {
        bool withHeight;
        FontDescription expected;
    } cases[] = {
        {false, MakeFont(u"Message Sans", -9, 300, 0, 34)},
        {true, MakeFont(u"Message Sans", -20, 300, 0, 34)},
    };
    for (const auto& c : cases) {
        FakeFontHost window(kSystem, about, nullptr);
        fonts.applyTo(window, c.withHeight);
        EXPECT_EQ(window.currentFont(), c.expected);
        EXPECT_EQ(fonts.appliedFont(), c.expected);
        EXPECT_EQ(window.applyCount(), 1);
    }
}

TEST(FontSettings, HeightChangesOnlyWithTheHeightFlag) {
    FakeFontHost owner(kSystem, kOwn, nullptr);
    FontSettings fonts(owner);
    fonts.setHeight(-30);
    EXPECT_EQ(fonts.height(), -11);
    const FontDescription picked = MakeFont(u"Picked", -16, 600, 3, 49);
    fonts.setFromFont(picked);
    EXPECT_EQ(fonts.height(), fonts.dialogFontHeight());
    EXPECT_EQ(fonts.faceName(), u"Picked");

    fonts.setUseFontHeight(true);
    fonts.setHeight(-30);
    EXPECT_EQ(fonts.height(), -30);
    fonts.setFromFont(picked);
    FontDescription chosen;
    fonts.copyChosenFontTo(chosen);
    EXPECT_EQ(chosen, picked);

    fonts.setFromFont(MakeFont(std::u16string(40, u'x'), -8, 400, 0, 0));
    EXPECT_EQ(fonts.faceName(), std::u16string(31, u'x'));
    fonts.setFaceName(std::u16string(33, u'y'));
    EXPECT_EQ(fonts.faceName(), std::u16string(31, u'y'));
}

TEST(FontSettings, CopyToHandsOverFlagsAndFontsButNotTheOwner) {
    FakeFontHost mainWindow(kSystem, kOwn, nullptr);
    FontSettings main(mainWindow);
    main.setUseBuildInFont(true);
    main.setUseFontSettings(false);
    main.setUseFontHeight(true);
    main.setFaceName(u"Main Face");
    main.applyTo(mainWindow, true);

    FakeFontHost dialog(kSystem, MakeFont(u"Options Face", -13, 400, 0, 0), nullptr);
    FontSettings working(dialog);
    main.copyTo(working);
    EXPECT_EQ(&working.owner(), &dialog);
    EXPECT_TRUE(working.useBuildInFont());
    EXPECT_FALSE(working.useFontSettings());
    EXPECT_TRUE(working.useFontHeight());
    EXPECT_EQ(working.faceName(), u"Main Face");
    EXPECT_EQ(working.dialogFont(), main.dialogFont());
    EXPECT_EQ(working.appliedFont(), main.appliedFont());

    // A reset of the copy takes the dialog font from its own window.
    working.reset();
    EXPECT_EQ(working.faceName(), u"Options Face");
}

}  // namespace
}  // namespace tessik
