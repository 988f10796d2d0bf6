#pragma once
// The one conversion between the windows' UTF-16 text and the UTF-8 bytes of digests and data
// files. Like a C string, a text ends at its first NUL: the bytes never contain a zero byte, so
// every consumer sees the same input whether it measures by length or by terminator.

#include <string>
#include <string_view>

namespace tessik {

// Well-formed text converts exactly; an unpaired surrogate becomes U+FFFD (EF BF BD).
std::string ToUtf8(std::u16string_view text);
// Ill-formed bytes become U+FFFD.
std::u16string FromUtf8(std::string_view bytes);

}  // namespace tessik
