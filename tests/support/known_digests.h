#pragma once
// Digests the tests compare with, as lower-case hexadecimal: RFC 1321's and FIPS 180's answers.

#include <string>

namespace tessik::test {

inline const std::string kMd5OfAbc = "900150983cd24fb0d6963f7d28e17f72";
inline const std::string kMd5OfNothing = "d41d8cd98f00b204e9800998ecf8427e";
inline const std::string kSha1OfAbc = "a9993e364706816aba3e25717850c26c9cd0d89d";

}  // namespace tessik::test
