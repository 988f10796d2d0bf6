#pragma once
// Translated texts with numbered places for what only the program knows ("Version %1").

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tessik {

// "%1" to "%9" replaced by the values in one pass, so a value that holds "%2" stays as it is. A
// number without a value, and a '%' before anything else, stay as written.
std::u16string FillIn(std::u16string_view pattern,
                      std::initializer_list<std::u16string_view> values);

// A count in decimal digits, as the patterns take it.
std::u16string NumberText(std::uint64_t value);

}  // namespace tessik
