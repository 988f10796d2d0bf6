#pragma once
// The names of the temporaries a crash-safe save writes beside the file it replaces: the file's
// own name, a mark, and a random suffix. A name that a killed run left blocks no later run, and
// the next save of the same file finds what killed runs left by the mark.

#include <string>

namespace tessik {

inline constexpr char kTemporaryMark[] = ".~";

// The mark and sixteen random hexadecimal digits, drawn anew at every call.
std::string FreshTemporarySuffix();

}  // namespace tessik
