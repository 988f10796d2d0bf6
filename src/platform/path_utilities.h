#pragma once
// Small path and text helpers shared by the storage locations, the windows and the directory
// walker. Positions count UTF-16 units; '\' and '/' both count as separators. No case mapping
// here depends on a locale.

#include <string>
#include <string_view>

namespace tessik {

bool IsPathSeparator(char16_t unit);

// A path that names the same file whatever folder it is joined to: one that starts with a
// separator ("/x", "\\server\share", "\x") or, on Windows, with a drive ("C:\x", "C:x").
bool IsAbsolutePath(std::u16string_view path);

// A path that exists and is not a folder (links followed).
bool FileExists(const std::u16string& path);
bool DirectoryExists(const std::u16string& path);

// Up to and including the last separator at position 1 or later; the whole text when there is
// none. "C:\x\prog.exe" -> "C:\x\", "\name" -> "\name".
std::u16string DirectoryPart(const std::u16string& path);

// After the last separator at position 1 or later that is not the last unit; the whole text
// when there is none. "C:\dir\*.*" -> "*.*", "C:\dir\" -> "dir\".
std::u16string FileNamePart(const std::u16string& path);

// From the last '.' at position 1 or later to the end; empty when there is none.
// "x.tar.gz" -> ".gz", ".profile" -> "", "a." -> ".".
std::u16string ExtensionOf(const std::u16string& name);
std::u16string LowerExtensionOf(const std::u16string& name);

// A-Z to a-z; every other unit unchanged.
std::u16string AsciiLower(std::u16string text);

}  // namespace tessik
