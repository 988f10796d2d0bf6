#include "ui/qt/qt_font.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QWidget>
#include <limits>

#include "ui/qt/widget_font_host.h"

namespace tessik {
namespace {

FontDescription Font(std::u16string face, int height, int weight, std::uint8_t pitchAndFamily) {
    FontDescription font;
    font.faceName = std::move(face);
    font.height = height;
    font.weight = weight;
    font.pitchAndFamily = pitchAndFamily;
    font.charSet = kDefaultCharSet;
    return font;
}

TEST(QtFontTest, DescriptionsSurviveTheTripThroughQt) {
    FontDescription effects = Font(u"Sans Serif", -15, 400, 0x22);
    effects.italic = effects.underline = effects.strikeOut = 1;
    for (const FontDescription& font : {
             Font(u"Sans Serif", -12, 400, 0x22),  // variable pitch, swiss
             Font(u"Serif", -20, 700, 0x12),       // roman, bold
             Font(u"Monospace", -9, 300, 0x31),    // fixed pitch, modern
             effects,
         }) {
        const FontDescription back = FromQFont(ToQFont(font, QApplication::font()));
        EXPECT_EQ(back.faceName, font.faceName);
        EXPECT_EQ(back.height, font.height);
        EXPECT_EQ(back.weight, font.weight);
        EXPECT_EQ(back.italic, font.italic);
        EXPECT_EQ(back.underline, font.underline);
        EXPECT_EQ(back.strikeOut, font.strikeOut);
        EXPECT_EQ(back.pitchAndFamily & 0xF0, font.pitchAndFamily & 0xF0);
        EXPECT_EQ(back.charSet, kDefaultCharSet);
    }
}

TEST(QtFontTest, HeightsOfZeroAndAboveFollowTheirMeaning) {
    const QFont base = QApplication::font();
    // 0 keeps the base size; a positive height is the line (cell) height.
    EXPECT_EQ(QFontInfo(ToQFont(Font(u"Sans Serif", 0, 0, 0), base)).pixelSize(),
              QFontInfo(base).pixelSize());
    for (int cell : {12, 20, 40}) {
        const QFont font = ToQFont(Font(u"Sans Serif", cell, 0, 0), base);
        EXPECT_NEAR(QFontMetrics(font).height(), cell, 2) << cell;
    }
}

// A settings file can hold any height; none may overflow on its way to a font.
TEST(QtFontTest, ExtremeHeightsGiveALimitedSize) {
    const QFont base = QApplication::font();
    for (int height : {std::numeric_limits<int>::min(), -1000000, -kMaxFontPixels - 1, 1000000,
                       std::numeric_limits<int>::max()}) {
        const int pixels = ToQFont(Font(u"Sans Serif", height, 0, 0), base).pixelSize();
        EXPECT_GT(pixels, 0) << height;
        EXPECT_LE(pixels, kMaxFontPixels) << height;
    }
    EXPECT_EQ(ToQFont(Font(u"Sans Serif", -kMaxFontPixels, 0, 0), base).pixelSize(),
              kMaxFontPixels);
}

TEST(QtFontTest, LongFaceNamesAreCutToTheDescriptionsLimit) {
    QFont font = QApplication::font();
    font.setFamily(QString(40, 'F'));
    EXPECT_EQ(FromQFont(font).faceName, std::u16string(kMaxFaceNameUnits, u'F'));
}

TEST(QtFontTest, AFontReachesTheWindowAndEveryControlInIt) {
    QWidget window;
    auto* label = new QLabel("text", &window);
    label->setFont(QFont("Serif", 30));  // a font of its own is replaced too
    WidgetFontHost host(window);
    const FontDescription font = Font(u"Monospace", -17, 700, 0x31);
    host.applyFont(font);
    for (const QWidget* widget :
         {static_cast<const QWidget*>(&window), static_cast<const QWidget*>(label)}) {
        EXPECT_EQ(widget->font().family(), "Monospace");
        EXPECT_EQ(widget->font().pixelSize(), 17);
        EXPECT_EQ(widget->font().weight(), QFont::Bold);
    }
    EXPECT_EQ(host.currentFont().faceName, u"Monospace");
    EXPECT_EQ(host.systemMessageFont(), FromQFont(QApplication::font()));
}

}  // namespace
}  // namespace tessik
