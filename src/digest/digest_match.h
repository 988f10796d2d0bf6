#pragma once
// Whether a digest shown to the user matches the one they expected.

#include <string>

namespace tessik {

// Exact comparison of UTF-16 units, or equality after folding A-Z to a-z in both; nothing is
// trimmed, so a trailing space or line break makes two digests differ.
bool DigestsMatch(const std::u16string& result, const std::u16string& expected, bool caseSensitive);

}  // namespace tessik
