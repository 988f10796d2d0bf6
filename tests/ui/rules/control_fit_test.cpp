#include "ui/rules/control_fit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessik {
namespace {

constexpr Give kRigid = Give::kRigid;
constexpr Give kLoose = Give::kLoose;
constexpr Give kField = Give::kFlexible;

FitControl Control(PixelRect place, PixelSize least, Give across, Give down = kRigid) {
    return {place, least, across, down};
}

// A list window in small: a label column, a field with a browse button, a table, and a row of
// buttons whose last one stands at the right edge.
const std::vector<FitControl> kListWindow = {
    Control({10, 10, 90, 20}, {40, 20}, kLoose),             // 0 label
    Control({104, 10, 260, 20}, {60, 20}, kField),           // 1 field
    Control({370, 10, 30, 20}, {30, 20}, kRigid),            // 2 "..."
    Control({10, 40, 90, 20}, {70, 20}, kLoose),             // 3 label
    Control({104, 40, 120, 20}, {120, 20}, kRigid),          // 4 drop-down list
    Control({10, 70, 390, 200}, {120, 60}, kField, kField),  // 5 table
    Control({10, 280, 80, 24}, {60, 24}, kRigid),            // 6 button
    Control({96, 280, 120, 24}, {100, 24}, kRigid),          // 7 button
    Control({320, 280, 80, 24}, {50, 24}, kRigid),           // 8 button at the right
};
constexpr PixelSize kTemplate{410, 314};

// Every control at least at its least size, and no two that stand apart in the template touch
// or overlap afterwards.
void ExpectWhole(const std::vector<FitControl>& controls, const FittedPlaces& fitted) {
    ASSERT_EQ(fitted.places.size(), controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        EXPECT_GE(fitted.places[i].width, controls[i].least.width) << "control " << i;
        EXPECT_GE(fitted.places[i].height, controls[i].least.height) << "control " << i;
        EXPECT_LE(fitted.places[i].right(), fitted.client.width) << "control " << i;
        EXPECT_LE(fitted.places[i].bottom(), fitted.client.height) << "control " << i;
        for (std::size_t j = 0; j < controls.size(); ++j) {
            const PixelRect& a = controls[i].place;
            const PixelRect& b = controls[j].place;
            const bool sideBySide = a.y < b.bottom() && b.y < a.bottom() && a.right() < b.x;
            const bool oneAbove = a.x < b.right() && b.x < a.right() && a.bottom() < b.y;
            if (sideBySide) {
                EXPECT_LT(fitted.places[i].right(), fitted.places[j].x) << i << " before " << j;
            }
            if (oneAbove) {
                EXPECT_LT(fitted.places[i].bottom(), fitted.places[j].y) << i << " above " << j;
            }
        }
    }
}

TEST(ControlFitTest, TheTemplateSizeKeepsEveryPlace) {
    const FittedPlaces fitted = FitControls(kListWindow, kTemplate, kTemplate);
    EXPECT_EQ(fitted.client, kTemplate);
    for (std::size_t i = 0; i < kListWindow.size(); ++i) {
        EXPECT_EQ(fitted.places[i], kListWindow[i].place) << "control " << i;
    }
}

TEST(ControlFitTest, SizesBetweenTheLeastAndFarAboveKeepEveryControlWhole) {
    const PixelSize least = ClientSizesOf(kListWindow, kTemplate).least;
    // The list and the label above the first button hold the left part; the gaps halve, the
    // wide one before the last button down to the margin.
    EXPECT_EQ(least, (PixelSize{262, 159}));
    for (const PixelSize client :
         {least, PixelSize{least.width + 1, least.height + 1}, PixelSize{330, 250},
          PixelSize{409, 313}, kTemplate, PixelSize{411, 315}, PixelSize{1200, 900}}) {
        SCOPED_TRACE(std::to_string(client.width) + " x " + std::to_string(client.height));
        const FittedPlaces fitted = FitControls(kListWindow, kTemplate, client);
        EXPECT_EQ(fitted.client, client);
        ExpectWhole(kListWindow, fitted);
    }
}

TEST(ControlFitTest, BelowTheLeastSizeStaysAtTheLeast) {
    const PixelSize least = ClientSizesOf(kListWindow, kTemplate).least;
    const FittedPlaces fitted = FitControls(kListWindow, kTemplate, {10, 10});
    EXPECT_EQ(fitted.client, least);
    ExpectWhole(kListWindow, fitted);
}

TEST(ControlFitTest, NarrowingTakesFromTheFieldsFirstAndKeepsColumnsInLine) {
    const FittedPlaces fitted = FitControls(kListWindow, kTemplate, {360, 314});
    const auto& at = fitted.places;
    EXPECT_EQ(at[0], kListWindow[0].place);  // the labels keep their room while fields can give
    EXPECT_EQ(at[1].x, at[4].x);             // the field and the list still line up
    EXPECT_EQ(at[4].width, 120);             // the list keeps its content
    EXPECT_EQ(at[2].right(), 350);           // the browse button keeps the right margin
    EXPECT_EQ(at[8].right(), 350);
    EXPECT_EQ(at[2].width, 30);
}

TEST(ControlFitTest, WideningGoesToTheFieldsAndMovesButtonsAlong) {
    const FittedPlaces fitted = FitControls(kListWindow, kTemplate, {610, 514});
    const auto& at = fitted.places;
    EXPECT_EQ(at[0], kListWindow[0].place);
    EXPECT_EQ(at[1].width, 460);
    EXPECT_EQ(at[2], (PixelRect{570, 10, 30, 20}));  // moved along at its size
    EXPECT_EQ(at[8], (PixelRect{520, 480, 80, 24}));
    for (int i : {4, 6, 7}) EXPECT_EQ(at[i].width, kListWindow[i].place.width) << i;
    EXPECT_EQ(at[5], (PixelRect{10, 70, 590, 400}));  // the table takes the rest both ways
}

TEST(ControlFitTest, ContentWiderThanItsPlaceWidensItAndMovesWhatFollows) {
    std::vector<FitControl> controls = kListWindow;
    controls[7].least.width = 150;  // a longer translation of the middle button
    const PixelSize natural = ClientSizesOf(controls, kTemplate).natural;
    EXPECT_EQ(natural, (PixelSize{kTemplate.width + 30, kTemplate.height}));
    const FittedPlaces fitted = FitControls(controls, kTemplate, natural);
    EXPECT_EQ(fitted.places[7].width, 150);
    EXPECT_EQ(fitted.places[8].x, kListWindow[8].place.x + 30);
    ExpectWhole(controls, fitted);
}

TEST(ControlFitTest, AControlSetAsideKeepsItsPlaceAndHoldsNothingBack) {
    std::vector<FitControl> controls = kListWindow;
    controls[8].least.width = 400;  // far wider than it may be; its window places it itself
    controls[8].across = Give::kAside;
    const FittedPlaces fitted = FitControls(controls, kTemplate, {360, 314});
    EXPECT_EQ(fitted.client.width, 360);
    EXPECT_EQ(fitted.places[8].x, kListWindow[8].place.x);
    EXPECT_EQ(fitted.places[8].width, kListWindow[8].place.width);
    EXPECT_EQ(fitted.places[8].y, kListWindow[8].place.y);
}

TEST(ControlFitTest, NoControlsLeaveTheClientAsAsked) {
    const FittedPlaces fitted = FitControls({}, {100, 50}, {300, 20});
    EXPECT_TRUE(fitted.places.empty());
    EXPECT_EQ(fitted.client, (PixelSize{300, 20}));
}

}  // namespace
}  // namespace tessik
