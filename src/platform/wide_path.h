#pragma once
// Windows only: the program's UTF-16 paths as the wide strings the system calls take.

#include <string>
#include <string_view>

namespace tessik {

// Empty for a path no file can have (empty, or holding a NUL). Long absolute paths get the
// prefix that lifts the 260-unit limit.
std::wstring WidePath(std::u16string_view path);
std::u16string FromWide(std::wstring_view text);

}  // namespace tessik
