#pragma once
// UTF-8 <-> UTF-16 conversion shared by text (digests, data files) and native paths.
// Text replaces what it cannot represent with U+FFFD; paths must round-trip every byte
// string, so they carry undecodable bytes as lone surrogates U+DC80..U+DCFF instead.

#include <string>
#include <string_view>

namespace tessik {

enum class LoneSurrogate {
    kReplace,    // becomes U+FFFD (EF BF BD)
    kAsRawByte,  // U+DC80..U+DCFF become the single byte 80..FF; any other one U+FFFD
};

enum class InvalidUtf8 {
    kReplace,          // each maximal ill-formed subsequence becomes one U+FFFD
    kAsLoneSurrogate,  // each undecodable byte b becomes U+DC00 + b
};

std::string EncodeUtf8(std::u16string_view text, LoneSurrogate mode);
std::u16string DecodeUtf8(std::string_view bytes, InvalidUtf8 mode);

}  // namespace tessik
