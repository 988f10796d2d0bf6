#pragma once
// One file reader per engine family. Each streams the file through the shared reader (only
// regular files, never more than the size measured at opening) and returns the lower-case
// hexadecimal digest. A file that cannot be opened or read gives the empty text, or 00000000
// for a string hash; a file that ended early gives the digest of the bytes it held.

#include <string>

#include "digest/algorithm_catalogue.h"

namespace tessik {

std::string Md2FileHex(const std::u16string& path);
std::string Md4FileHex(const std::u16string& path);
std::string Md5FileHex(const std::u16string& path);
std::string Sha1FileHex(const std::u16string& path);
std::string Sha2FileHex(const std::u16string& path, DigestVariant variant);
std::string KeccakFileHex(const std::u16string& path, DigestVariant variant);
std::string Sha3FileHex(const std::u16string& path, DigestVariant variant);
std::string StringHashFileHex(const std::u16string& path, StringHash hash);

}  // namespace tessik
