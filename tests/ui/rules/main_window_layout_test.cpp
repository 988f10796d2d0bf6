#include "ui/rules/main_window_layout.h"

#include <gtest/gtest.h>

#include "ui/rules/main_window.h"

namespace tessik {
namespace {

using namespace main_window;

// The template at 6 x 13 pixel base units, before the first size change.
ControlGeometry TemplateGeometry() {
    return {
        {kCopyButton, {185, 270, 144, 26}},       {kCompareButton, {342, 270, 143, 26}},
        {kCaseSensitiveBox, {185, 247, 303, 16}}, {kExpectedField, {183, 216, 482, 23}},
        {kExpectedLabel, {8, 216, 169, 24}},      {kResultField, {183, 180, 482, 23}},
        {kResultLabel, {8, 180, 169, 24}},        {kHashStringButton, {464, 151, 202, 26}},
        {kStringField, {185, 94, 480, 54}},       {kHashFileButton, {462, 63, 204, 26}},
        {kBrowseButton, {632, 33, 34, 26}},       {kFileNameField, {185, 34, 444, 23}},
        {kAlgorithmList, {185, 7, 136, 24}},      {kLowercaseBox, {348, 7, 195, 22}},
        {kProgressBar, {183, 180, 482, 23}},      {kCancelHashButton, {462, 63, 204, 26}},
    };
}

struct LayoutCase {
    int width, height;
    ControlGeometry expected;
};

TEST(MainWindowLayoutTest, ControlsFollowTheEdges) {
    // At the minimum size, at 641 (the centre rounds toward zero), at a large size, and with
    // sizes of 0 or less standing for the minimum.
    ControlGeometry atMinimum = {
        {kCopyButton, {170, 346, 144, 26}},       {kCompareButton, {326, 346, 143, 26}},
        {kCaseSensitiveBox, {185, 318, 303, 16}}, {kExpectedField, {183, 289, 451, 23}},
        {kExpectedLabel, {8, 289, 169, 24}},      {kResultField, {183, 260, 451, 23}},
        {kResultLabel, {8, 260, 169, 24}},        {kHashStringButton, {432, 228, 202, 26}},
        {kStringField, {185, 94, 449, 128}},      {kHashFileButton, {430, 63, 204, 26}},
        {kBrowseButton, {600, 33, 34, 26}},       {kFileNameField, {185, 34, 409, 23}},
        {kAlgorithmList, {185, 7, 136, 24}},      {kLowercaseBox, {348, 7, 195, 22}},
    };
    ControlGeometry at641 = atMinimum;
    for (int id : {kExpectedField, kResultField, kStringField}) at641[id].width += 1;
    for (int id : {kHashStringButton, kHashFileButton, kBrowseButton}) at641[id].x += 1;
    at641[kFileNameField].width += 1;
    ControlGeometry large = {
        {kCopyButton, {650, 966, 144, 26}},       {kCompareButton, {806, 966, 143, 26}},
        {kCaseSensitiveBox, {185, 938, 303, 16}}, {kExpectedField, {183, 909, 1411, 23}},
        {kExpectedLabel, {8, 909, 169, 24}},      {kResultField, {183, 880, 1411, 23}},
        {kResultLabel, {8, 880, 169, 24}},        {kHashStringButton, {1392, 848, 202, 26}},
        {kStringField, {185, 94, 1409, 748}},     {kHashFileButton, {1390, 63, 204, 26}},
        {kBrowseButton, {1560, 33, 34, 26}},      {kFileNameField, {185, 34, 1369, 23}},
        {kAlgorithmList, {185, 7, 136, 24}},      {kLowercaseBox, {348, 7, 195, 22}},
    };
    // The progress bar and Cancel stand where the result field and the hash-file button are.
    for (ControlGeometry* layout : {&atMinimum, &at641, &large}) {
        (*layout)[kProgressBar] = (*layout)[kResultField];
        (*layout)[kCancelHashButton] = (*layout)[kHashFileButton];
    }
    for (const LayoutCase& c : {LayoutCase{640, 380, atMinimum}, LayoutCase{641, 380, at641},
                                LayoutCase{1600, 1000, large}, LayoutCase{0, 0, atMinimum},
                                LayoutCase{-5, -1, atMinimum}}) {
        ControlGeometry geometry = TemplateGeometry();
        LayOutMainWindow(geometry, c.width, c.height);
        for (const auto& [id, rect] : c.expected) {
            EXPECT_EQ(geometry[id], rect)
                << "control " << id << " at " << c.width << "x" << c.height;
        }
    }
}

TEST(MainWindowLayoutTest, RepeatedSizeChangesDoNotDrift) {
    ControlGeometry once = TemplateGeometry();
    LayOutMainWindow(once, 900, 600);
    ControlGeometry twice = TemplateGeometry();
    LayOutMainWindow(twice, 1600, 1000);
    LayOutMainWindow(twice, 640, 380);
    LayOutMainWindow(twice, 900, 600);
    EXPECT_EQ(once, twice);
}

// At 6 x 13 base units: the lowercase box ends at 543, the labels at 177 with the widest right
// button 204 beyond them; the string field keeps its 54 pixels below its top at 94.
TEST(MainWindowLayoutTest, TheMinimumHoldsEveryControlWithoutOverlap) {
    ControlGeometry places = TemplateGeometry();
    EXPECT_EQ(MinimumClientSize(places),
              (PixelSize{543 + 6, 94 + 54 + 6 + 26 + 6 + 23 + 6 + 23 + 6 + 16 + 12 + 26 + 8}));
    // A wider button on the right, or a lowercase box further out, widens it.
    places[kHashFileButton].width = 500;
    EXPECT_EQ(MinimumClientSize(places).width, 177 + 6 + 500 + 6);
    places[kLowercaseBox].width = 900;
    EXPECT_EQ(MinimumClientSize(places).width, 348 + 900 + 6);
    // Laid out at its minimum, nothing overlaps.
    places = TemplateGeometry();
    const PixelSize minimum = MinimumClientSize(places);
    LayOutMainWindow(places, minimum.width, minimum.height);
    EXPECT_EQ(places[kStringField].height, 54);
    EXPECT_GE(places[kHashFileButton].x, places[kExpectedLabel].right());
    EXPECT_GE(places[kCompareButton].right(), places[kCopyButton].right());
    EXPECT_LE(places[kCompareButton].right(), minimum.width);
}

TEST(MainWindowLayoutTest, NothingMovesWhileAControlIsMissing) {
    for (int missing : kEdgeFollowingControls) {
        ControlGeometry geometry = TemplateGeometry();
        geometry.erase(missing);
        const ControlGeometry before = geometry;
        LayOutMainWindow(geometry, 1600, 1000);
        EXPECT_EQ(geometry, before) << "without control " << missing;
    }
}

TEST(MainWindowLayoutTest, RightHandButtonsNarrowInStepWithTheWindow) {
    const struct {
        int templateWidth, leastWidth, client;
        int width;
    } cases[] = {
        {200, 100, 1000, 200}, {200, 100, 2000, 200},  // the natural width and above
        {200, 100, 500, 100},  {200, 100, 300, 100},   // the least and below
        {200, 100, 750, 150},  {200, 100, 999, 199},   // between: in step
        {80, 120, 600, 80},                            // a text wider than its place keeps it
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RightHandButtonWidth(c.templateWidth, c.leastWidth, c.client, 500, 1000), c.width)
            << c.client;
    }
}

}  // namespace
}  // namespace tessik
