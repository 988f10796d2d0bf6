#pragma once
// Paths are UTF-16 in the program and bytes on disk. The mapping is lossless for every byte
// string the system can hand us, so each file a folder listing names can be opened again.

#include <string>
#include <string_view>

namespace tessik {

std::string ToNativePath(std::u16string_view path);
std::u16string FromNativePath(std::string_view bytes);

// A path as checksum lists hold it: its native bytes, with '/' for the separators on Windows,
// where '\' can only be one, so that a list is read on either system.
std::string ToListName(std::u16string_view path);

#ifdef _WIN32
// The separator this platform writes; every function that looks for one accepts '/' too.
inline constexpr char16_t kPathSeparator = u'\\';
// Whether a path may start with a drive ("C:").
inline constexpr bool kPathsHaveDrives = true;
#else
// The separator this platform writes; every function that looks for one also accepts '\'.
inline constexpr char16_t kPathSeparator = u'/';
inline constexpr bool kPathsHaveDrives = false;
#endif

}  // namespace tessik
