#pragma once
// The two requests every window makes: an algorithm index, a text or a file, and the letter
// case. Results are hexadecimal ASCII text. A file that cannot be read gives the empty text,
// or 00000000 for a string hash.

#include <string>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_engine.h"

namespace tessik {

std::string HashFromString(int algorithmIndex, const std::u16string& text, bool lowerCase);
std::string HashFromFile(int algorithmIndex, const std::u16string& path, bool lowerCase);

// A text is hashed as its UTF-8 bytes, by the windows and the command line alike.
Digest DigestOfText(const AlgorithmInfo& algorithm, const std::u16string& text);

}  // namespace tessik
