#include "settings/window_position.h"

#include <gtest/gtest.h>

namespace tessik {
namespace {

TEST(WindowPosition, ParsesOnlyMaxOrAUsableRectangle) {
    const StoredPosition keep{};
    const StoredPosition max{StoredPositionAction::kMaximise, {}};
    auto move = [](int l, int t, int r, int b) {
        return StoredPosition{StoredPositionAction::kMove, {l, t, r, b}};
    };
    const struct {
        const char* text;
        StoredPosition expected;
    } cases[] = {
        {"", keep},
        {"MAX", max},
        {"max", keep},
        {"MAX ", keep},
        {"10;20;300;400", move(10, 20, 300, 400)},
        {"0;0;1;1", move(0, 0, 1, 1)},
        {"-5;0;100;100", keep},
        {"0;-5;100;100", keep},
        {"10;0;10;100", keep},
        {"0;10;100;10", keep},
        {"10;0;5;100", keep},
        {"1;2;3", keep},
        {"1;2;3;", keep},
        {"1;;3;4", keep},
        {"a;b;c;d", keep},
        {"1;2;30;40;50", move(1, 2, 30, 40)},
        {"1;2;30;40abc", move(1, 2, 30, 40)},
        {" 1; 2;\t30; +40", move(1, 2, 30, 40)},
        {"1 ;2;30;40", keep},
        {"1,2,30,40", keep},
        {"+;2;30;40", keep},
        {"0;0;2147483647;2147483647", move(0, 0, 2147483647, 2147483647)},
        {"0;0;2147483648;10", keep},
        {"4294967306;0;20;20", keep},
        {"0;0;99999999999999999999999;10", keep},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseWindowPosition(c.text), c.expected) << c.text;
}

// A position saved on a larger or another screen still gives a window the user can see and reach.
TEST(WindowPosition, AStoredRectangleIsFittedIntoTheScreen) {
    const WindowRect screen{0, 0, 1920, 1080};
    const struct {
        WindowRect stored;
        WindowRect area;
        WindowRect expected;
    } cases[] = {
        {{10, 20, 650, 400}, screen, {10, 20, 650, 400}},
        {{0, 0, 2000000000, 2000000000}, screen, {0, 0, 1920, 1080}},
        {{5000, 5000, 5800, 5400}, screen, {1120, 680, 1920, 1080}},
        {{5000, 5000, 5800, 5400}, {}, {5000, 5000, 5800, 5400}},  // no screen known
    };
    for (const auto& c : cases) EXPECT_EQ(FitIntoArea(c.stored, c.area), c.expected);
}

TEST(WindowPosition, FormatsTheRestoredRectangleOfAMinimisedWindow) {
    const WindowRect now{-32000, -32000, -31840, -31972};
    const WindowRect restored{10, 20, 650, 400};
    const struct {
        WindowState state;
        const char* expected;
    } cases[] = {
        {WindowState::kNormal, "-32000;-32000;-31840;-31972"},
        {WindowState::kMinimised, "10;20;650;400"},
        {WindowState::kMaximised, "MAX"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatWindowPosition(PositionToStore({c.state, now, restored})), c.expected);
    }
    // What is written reads back as the same rectangle.
    const StoredPosition stored{StoredPositionAction::kMove, restored};
    EXPECT_EQ(ParseWindowPosition(FormatWindowPosition(stored)), stored);
}

}  // namespace
}  // namespace tessik
