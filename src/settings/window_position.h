#pragma once
// The main window's position as the settings keep it: "MAX" for a maximised window, otherwise
// "left;top;right;bottom" of its outer rectangle in screen pixels.

#include <string>
#include <string_view>

namespace tessik {

struct WindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const WindowRect&) const = default;
};

enum class WindowState { kNormal, kMinimised, kMaximised };

struct WindowPlacement {
    WindowState state = WindowState::kNormal;
    WindowRect rect;          // where the window is now
    WindowRect restoredRect;  // where it goes back to from minimised or maximised
};

enum class StoredPositionAction { kKeep, kMaximise, kMove };

struct StoredPosition {
    StoredPositionAction action = StoredPositionAction::kKeep;
    WindowRect rect;  // for kMove
    bool operator==(const StoredPosition&) const = default;
};

// "MAX", or four numbers giving a non-empty rectangle whose left and top are not negative;
// anything else keeps the window where it is, so a window saved far off-screen to the left or
// top reopens at its initial place. Text after the fourth number is ignored.
StoredPosition ParseWindowPosition(std::string_view text);

// The rectangle made to lie inside the area: no larger than the area, moved in as far as it
// reaches out. An empty area (no screen known) leaves it as it is.
WindowRect FitIntoArea(const WindowRect& rect, const WindowRect& area);

// What is stored of a window's placement: a maximised window is stored as such, a minimised one
// with its restored rectangle.
StoredPosition PositionToStore(const WindowPlacement& placement);
// A position to keep is stored as its rectangle.
std::string FormatWindowPosition(const StoredPosition& position);

}  // namespace tessik
