#pragma once
// Windows only: the program's UTF-16 paths as the wide strings the system calls take.

#include <string>
#include <string_view>

#include "platform/input_file.h"

namespace tessik {

// Empty for a path no file can have (empty, or holding a NUL). Long absolute paths get the
// prefix that lifts the 260-unit limit.
std::wstring WidePath(std::u16string_view path);
std::u16string FromWide(std::wstring_view text);

// Why `path` could not be opened or listed, from the system's error. Windows reports a path that
// leads through a file, and a name longer than a folder entry may be, as a path not found (or as
// an invalid name); these causes are told apart here, as other systems tell them.
ReadFailure ReadFailureAt(const std::wstring& path, unsigned long error);

}  // namespace tessik
