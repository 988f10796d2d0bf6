#pragma once
// A Win32 window's place as the settings keep it: its outer rectangle in screen pixels, read and
// written alike, so that it never grows by a frame from one start to the next.

#include <windows.h>

#include "settings/window_position.h"

namespace tessik {

WindowPlacement PlacementOf(HWND window);

// A position saved on a larger or another screen still gives a window the user can see and
// reach: it is fitted into the work area of the screen it is nearest.
void PlaceWindow(HWND window, const StoredPosition& position);

}  // namespace tessik
