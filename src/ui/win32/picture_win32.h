#pragma once
// A picture file as a bitmap a static control shows: read by GDI+, drawn smoothly at the size
// asked, on white.

#include <windows.h>

#include <functional>
#include <string>

namespace tessik {

// The size it is drawn at follows from the size of the image in the file. Null when the file
// cannot be read as a picture.
HBITMAP LoadPicture(const std::u16string& path, const std::function<SIZE(SIZE inFile)>& sizeFor);

}  // namespace tessik
