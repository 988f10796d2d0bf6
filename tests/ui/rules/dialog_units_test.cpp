#include "ui/rules/dialog_units.h"

#include <gtest/gtest.h>

namespace tessik {
namespace {

TEST(DialogUnitsTest, AverageLetterWidthRoundsToNearestPixel) {
    struct Case {
        int widthOf52Letters;
        int average;
    };
    for (const Case& c :
         {Case{312, 6}, Case{337, 6}, Case{338, 7}, Case{364, 7}, Case{52, 1}, Case{0, 0}}) {
        EXPECT_EQ(AverageLetterWidth(c.widthOf52Letters), c.average) << c.widthOf52Letters;
    }
}

TEST(DialogUnitsTest, ConvertsTemplateRectsByEdges) {
    const DialogBaseUnits base{6, 13};
    struct Case {
        int x, y, width, height;
        PixelRect pixels;
    };
    for (const Case& c : {
             Case{0, 0, 447, 186, {0, 0, 671, 302}},
             Case{123, 166, 96, 16, {185, 270, 144, 26}},  // halves round away from zero
             Case{421, 20, 23, 16, {632, 33, 34, 26}},
             Case{1, 1, 1, 1, {2, 2, 1, 1}},
         }) {
        EXPECT_EQ(DialogRectToPixels(c.x, c.y, c.width, c.height, base), c.pixels)
            << c.x << "," << c.y;
    }
}

TEST(DialogUnitsTest, NeighboursStayFlushAtEveryScale) {
    for (const DialogBaseUnits base : {DialogBaseUnits{6, 13}, DialogBaseUnits{7, 17},
                                       DialogBaseUnits{9, 22}, DialogBaseUnits{5, 11}}) {
        for (int x = 0; x < 200; ++x) {
            for (int width : {1, 3, 16, 23}) {
                const PixelRect left = DialogRectToPixels(x, x, width, width, base);
                const PixelRect next = DialogRectToPixels(x + width, x + width, 5, 5, base);
                ASSERT_EQ(left.right(), next.x) << x << "+" << width;
                ASSERT_EQ(left.bottom(), next.y) << x << "+" << width;
            }
        }
    }
}

}  // namespace
}  // namespace tessik
