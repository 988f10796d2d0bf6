#pragma once
// The two requests every window makes: an algorithm index, a text or a file, and the letter
// case. Results are hexadecimal ASCII text. A file that cannot be read gives the empty text,
// or 00000000 for a string hash.

#include <string>

namespace tessik {

std::string HashFromString(int algorithmIndex, const std::u16string& text, bool lowerCase);
std::string HashFromFile(int algorithmIndex, const std::u16string& path, bool lowerCase);

}  // namespace tessik
