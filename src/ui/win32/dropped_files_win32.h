#pragma once
// The paths of files dropped onto a window (WM_DROPFILES), in the order given; the drop is
// released.

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace tessik {

std::vector<std::u16string> TakeDroppedPaths(HDROP drop);

}  // namespace tessik
