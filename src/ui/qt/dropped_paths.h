#pragma once
// The files of a drop onto a window, as the windows take them.

#include <string>
#include <vector>

class QMimeData;

namespace tessik {

// The local files, in the order dropped; anything else dropped with them is left out. A name
// whose bytes are no valid UTF-8 survives, and a name longer than a window takes is cut.
std::vector<std::u16string> DroppedLocalPaths(const QMimeData& data);

}  // namespace tessik
