#pragma once
// A drop-down list of the catalogue's algorithms, in catalogue order.

#include <windows.h>

namespace tessik {

void FillAlgorithmList(HWND list);

}  // namespace tessik
