#pragma once
// A window's place as the settings keep it. Positions are those of the window without the
// window manager's frame, which is not known before the window is shown; reading and writing the
// same rectangle keeps the size from growing by a frame at every start.

#include "settings/window_position.h"

class QWidget;

namespace tessik {

WindowPlacement PlacementOf(const QWidget& window);

// A position saved on a larger or another screen still gives a window the user can see and
// reach.
void PlaceWindow(QWidget& window, const StoredPosition& position);

}  // namespace tessik
