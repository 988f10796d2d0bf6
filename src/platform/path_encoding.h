#pragma once
// Paths are UTF-16 in the program and bytes on disk. The mapping is lossless for every byte
// string the system can hand us, so each file a folder listing names can be opened again.

#include <string>
#include <string_view>

namespace tessik {

std::string ToNativePath(std::u16string_view path);
std::u16string FromNativePath(std::string_view bytes);

// The separator this platform writes; every function that looks for one also accepts '\'.
inline constexpr char16_t kPathSeparator = u'/';

}  // namespace tessik
